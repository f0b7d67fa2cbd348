#pragma once

#include <QDate>
#include <QTemporaryDir>

namespace tk::bench {

// A database in a temporary folder, made the process's database, holding years of days:
// employees on one plan (Monday to Friday 8 hours), a day record for every day from first to
// last and two time entries on every weekday, a vacation day now and then.
class YearsOfDays
{
public:
    YearsOfDays(int employees, const QDate &first, const QDate &last);
    QString folder() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
};

} // namespace tk::bench
