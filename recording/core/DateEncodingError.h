#pragma once

#include <QString>
#include <stdexcept>

namespace tk {

// No calendar date can be formed from the values given (an evaluation period whose first day
// lies outside the month). Its message is the one the operator knows from the runtime.
class DateEncodingError : public std::runtime_error
{
public:
    DateEncodingError()
        : std::runtime_error(defaultMessage().toStdString())
    {
    }
    QString message() const { return defaultMessage(); }
    static QString defaultMessage()
    {
        return QStringLiteral("Ungültiges Argument zum Codieren des Datums");
    }
};

} // namespace tk
