#include "core/calendar/PublicHolidays.h"

#include <algorithm>

#include "core/common/Errors.h"

namespace tk {

namespace {

const QString Nationwide = QStringLiteral("DE");

// One holiday rule: where (empty: everywhere) and in which years it holds.
struct Rule
{
    const char *name;
    int month; // 0: the day is Easter Sunday + offset
    int day;   // the day of the month, or the offset from Easter Sunday
    QStringList states;
    int from = PublicHolidays::FirstYear;
    int to = PublicHolidays::LastYear;
};

const QVector<Rule> &rules()
{
    const auto in = [](std::initializer_list<const char *> codes) {
        QStringList states;
        for (const char *code : codes)
            states << QLatin1String(code);
        return states;
    };
    static const QVector<Rule> all{
        {"Neujahr", 1, 1, {}},
        {"Heilige Drei Könige", 1, 6, in({"BW", "BY", "ST"})},
        {"Internationaler Frauentag", 3, 8, in({"BE"}), 2019},
        {"Internationaler Frauentag", 3, 8, in({"MV"}), 2023},
        {"Karfreitag", 0, -2, {}},
        {"Ostersonntag", 0, 0, in({"BB"})},
        {"Ostermontag", 0, 1, {}},
        {"Tag der Arbeit", 5, 1, {}},
        {"Tag der Befreiung", 5, 8, in({"BE"}), 2020, 2020},
        {"Tag der Befreiung", 5, 8, in({"BE"}), 2025, 2025},
        {"Christi Himmelfahrt", 0, 39, {}},
        {"Pfingstsonntag", 0, 49, in({"BB"})},
        {"Pfingstmontag", 0, 50, {}},
        {"Fronleichnam", 0, 60, in({"BW", "BY", "HE", "NW", "RP", "SL"})},
        {"Mariä Himmelfahrt", 8, 15, in({"SL"})},
        {"Weltkindertag", 9, 20, in({"TH"}), 2019},
        {"Tag der Deutschen Einheit", 10, 3, {}},
        {"Reformationstag", 10, 31, in({"BB", "MV", "SN", "ST", "TH"})},
        {"Reformationstag", 10, 31, in({"HB", "HH", "NI", "SH"}), 2018},
        {"Reformationstag", 10, 31, {}, 2017, 2017},
        {"Allerheiligen", 11, 1, in({"BW", "BY", "NW", "RP", "SL"})},
        {"Buß- und Bettag", 11, 0, {}, PublicHolidays::FirstYear, 1994},
        {"Buß- und Bettag", 11, 0, in({"SN"}), 1995},
        {"1. Weihnachtstag", 12, 25, {}},
        {"2. Weihnachtstag", 12, 26, {}},
    };
    return all;
}

bool holdsIn(const Rule &rule, const QString &state, int year)
{
    if (year < rule.from || year > rule.to)
        return false;
    return rule.states.isEmpty() || rule.states.contains(state);
}

// Buß- und Bettag: the Wednesday before 23 November.
QDate dayOfRepentance(int year)
{
    QDate date(year, 11, 22);
    while (date.dayOfWeek() != Qt::Wednesday)
        date = date.addDays(-1);
    return date;
}

QDate dateOf(const Rule &rule, int year)
{
    if (rule.month == 0)
        return PublicHolidays::easterSunday(year).addDays(rule.day);
    if (rule.day == 0)
        return dayOfRepentance(year);
    return QDate(year, rule.month, rule.day);
}

} // namespace

const QStringList &PublicHolidays::stateCodes()
{
    static const QStringList codes{
        QStringLiteral("BW"), QStringLiteral("BY"), QStringLiteral("BE"), QStringLiteral("BB"),
        QStringLiteral("HB"), QStringLiteral("HH"), QStringLiteral("HE"), QStringLiteral("MV"),
        QStringLiteral("NI"), QStringLiteral("NW"), QStringLiteral("RP"), QStringLiteral("SL"),
        QStringLiteral("SN"), QStringLiteral("ST"), QStringLiteral("SH"), QStringLiteral("TH")};
    return codes;
}

bool PublicHolidays::isKnownState(const QString &code)
{
    return code.isEmpty() || code == Nationwide || stateCodes().contains(code);
}

QVector<PublicHoliday> PublicHolidays::of(const QString &state, int year)
{
    const QString code = state.trimmed().toUpper();
    if (!isKnownState(code))
        throw UserError(QStringLiteral("Unbekanntes Bundesland \"%1\": erwartet wird DE oder "
                                       "eines von %2.")
                            .arg(state, stateCodes().join(QStringLiteral(", "))));
    if (year < FirstYear || year > LastYear)
        throw UserError(QStringLiteral("Feiertage werden für die Jahre %1 bis %2 berechnet, "
                                       "nicht für %3.")
                            .arg(FirstYear)
                            .arg(LastYear)
                            .arg(year));
    QVector<PublicHoliday> holidays;
    for (const Rule &rule : rules()) {
        if (holdsIn(rule, code, year))
            holidays.push_back({dateOf(rule, year), QString::fromUtf8(rule.name)});
    }
    std::stable_sort(
        holidays.begin(), holidays.end(),
        [](const PublicHoliday &a, const PublicHoliday &b) { return a.date < b.date; });
    return holidays;
}

QDate PublicHolidays::easterSunday(int year)
{
    const int a = year % 19;
    const int b = year / 100;
    const int c = year % 100;
    const int d = b / 4;
    const int e = b % 4;
    const int f = (b + 8) / 25;
    const int g = (b - f + 1) / 3;
    const int h = (19 * a + b - d - g + 15) % 30;
    const int i = c / 4;
    const int k = c % 4;
    const int l = (32 + 2 * e + 2 * i - h - k) % 7;
    const int m = (a + 11 * h + 22 * l) / 451;
    const int month = (h + l - 7 * m + 114) / 31;
    const int day = (h + l - 7 * m + 114) % 31 + 1;
    return QDate(year, month, day);
}

} // namespace tk
