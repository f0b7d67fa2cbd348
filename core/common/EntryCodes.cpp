#include "core/common/EntryCodes.h"

namespace tk {

namespace {

const EntryCodeInfo Codes[EntryCodeCount] = {
    {EntryCode::Normal, 'N', "Normal", "N - Normal", "Anwesend"},
    {EntryCode::Unpaid, 'A', "Unbezahlt", "A - Abwesend", "Unbezahlt"},
    {EntryCode::Holiday, 'F', "Feiertag", "F - Feiertag", "Feiertag"},
    {EntryCode::Sick, 'K', "Krank", "K - Krank", "Krank"},
    {EntryCode::Leave, 'U', "Urlaub", "U - Urlaub", "Urlaub"}};

int positionOfLetter(QChar letter)
{
    for (int position = 0; position < EntryCodeCount; ++position) {
        if (letter == QLatin1Char(Codes[position].letter))
            return position;
    }
    return -1;
}

} // namespace

const EntryCodeInfo &EntryCodeInfoAt(int position)
{
    return Codes[position];
}

bool EntryCodeOf(const QString &kennung, EntryCode *code)
{
    const int position = kennung.isEmpty() ? -1 : positionOfLetter(kennung.at(0));
    if (position < 0)
        return false;
    *code = Codes[position].code;
    return true;
}

QString EntryCodeAt(int position)
{
    if (position < 0 || position >= EntryCodeCount)
        return QString();
    return QString(QLatin1Char(Codes[position].letter));
}

int EntryCodePosition(const QString &kennung)
{
    return kennung.isEmpty() ? -1 : positionOfLetter(kennung.at(0).toUpper());
}

QString EntryCodeName(const QVariant &value)
{
    const QString code = value.isNull() ? QString() : value.toString();
    const int position = code.size() == 1 ? positionOfLetter(code.at(0)) : -1;
    return position < 0 ? QString() : QString::fromUtf8(Codes[position].name);
}

QStringList EntryCodeCaptions()
{
    QStringList captions;
    for (const EntryCodeInfo &info : Codes)
        captions << QString::fromUtf8(info.caption);
    return captions;
}

QStringList EntryCodeLetters()
{
    QStringList letters;
    for (const EntryCodeInfo &info : Codes)
        letters << QString(QLatin1Char(info.letter));
    return letters;
}

} // namespace tk
