#pragma once

#include <QString>
#include <stdexcept>

namespace tk {

// A minutes value that cannot be shown as a time of day (1440 or more). Its message is
// German and meant for the error box.
class TimeEncodingError : public std::runtime_error
{
public:
    TimeEncodingError()
        : std::runtime_error(defaultMessage().toStdString())
    {
    }
    QString message() const { return defaultMessage(); }
    static QString defaultMessage()
    {
        return QStringLiteral("Ungültiges Argument zum Codieren der Uhrzeit");
    }
};

} // namespace tk
