#pragma once

#include <QString>
#include <stdexcept>

namespace tk {

// An error of the table layer; its message is German and meant for the error box.
class DbError : public std::runtime_error
{
public:
    explicit DbError(const QString &message)
        : std::runtime_error(message.toStdString())
        , m_message(message)
    {
    }
    QString message() const { return m_message; }

private:
    QString m_message;
};

} // namespace tk
