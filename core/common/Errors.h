#pragma once

#include <QString>
#include <stdexcept>

namespace tk {

// An error the user sees: its message is German and meant for the error box ("Information").
// Every error the program raises for the user derives from it, so one handler shows them all.
class UserError : public std::runtime_error
{
public:
    explicit UserError(const QString &message)
        : std::runtime_error(message.toStdString())
        , m_message(message)
    {
    }
    QString message() const { return m_message; }

private:
    QString m_message;
};

// An error of the table layer. Its kind says whether another writer caused it: a server broke
// the transaction off (serialization failure, deadlock), a key was taken or a row changed
// since it was read.
class DbError : public UserError
{
public:
    enum class Kind { Other, Conflict, Duplicate, StaleRow };
    explicit DbError(const QString &message, Kind kind = Kind::Other)
        : UserError(message)
        , m_kind(kind)
    {
    }
    Kind kind() const { return m_kind; }

private:
    Kind m_kind;
};

// Another workstation changed or deleted the row since it was read; nothing was written.
class StaleRowError : public DbError
{
public:
    StaleRowError()
        : DbError(defaultMessage(), Kind::StaleRow)
    {
    }
    static QString defaultMessage()
    {
        return QStringLiteral(
            "Der Datensatz wurde inzwischen an einem anderen Arbeitsplatz geändert.");
    }
};

// No calendar date can be formed from the values given (an evaluation period whose first day
// lies outside the month). Its message is the one the operator knows from the runtime.
class DateEncodingError : public UserError
{
public:
    DateEncodingError()
        : UserError(defaultMessage())
    {
    }
    static QString defaultMessage()
    {
        return QStringLiteral("Ungültiges Argument zum Codieren des Datums");
    }
};

// A minutes value that cannot be shown as a time of day (1440 or more).
class TimeEncodingError : public UserError
{
public:
    TimeEncodingError()
        : UserError(defaultMessage())
    {
    }
    static QString defaultMessage()
    {
        return QStringLiteral("Ungültiges Argument zum Codieren der Uhrzeit");
    }
};

// The message of any error that reaches the user: the German text of a UserError, the
// plain text of anything else.
QString errorMessage(const std::exception &error);

} // namespace tk
