#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVector>

namespace tk {

struct PublicHoliday
{
    QDate date;
    QString name;
};

// The statutory public holidays that hold in a whole German state (not those of single
// municipalities, such as Fronleichnam in parts of Saxony or 15 August in parts of Bavaria).
class PublicHolidays
{
public:
    static constexpr int FirstYear = 1990;
    static constexpr int LastYear = 2100;

    // The sixteen states by their two-letter codes.
    static const QStringList &stateCodes();
    // A state code, or "DE" (or empty) for the holidays of the whole country.
    static bool isKnownState(const QString &code);

    // The holidays of the year in the state, in date order. Throws UserError (German) for an
    // unknown state or a year outside FirstYear..LastYear.
    static QVector<PublicHoliday> of(const QString &state, int year);

    // Easter Sunday of the Gregorian calendar (anonymous algorithm of Meeus/Jones/Butcher).
    static QDate easterSunday(int year);
};

} // namespace tk
