#pragma once

#include <QString>

class QSqlDatabase;

namespace tk {

// Who is writing, for the change log the database's triggers keep: the operating-system user
// and the host name, and the reason while a ChangeReason lives. A server keeps them as
// settings of the connection (the reason for one transaction); SQLite, which has nothing of
// the kind, keeps them in the one row of table Sitzung for as long as a write transaction of
// the program runs, so that no other writer ever sees it.
QString SessionUser();
QString SessionWorkstation();

// The reason of the writes made while it lives ("Krankmeldung nachgereicht").
class ChangeReason
{
public:
    explicit ChangeReason(const QString &reason);
    ~ChangeReason();
    ChangeReason(const ChangeReason &) = delete;
    ChangeReason &operator=(const ChangeReason &) = delete;

    static QString current();

private:
    QString m_previous;
};

// The write layer's hooks: when a writable connection opens, right after a write transaction
// begins and right before it commits.
void stampConnection(QSqlDatabase &db);
void beginStampedWrites(QSqlDatabase &db);
void endStampedWrites(QSqlDatabase &db);

} // namespace tk
