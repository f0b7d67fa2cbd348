#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

namespace tk {

// The entry codes of a time entry (AuswPos.Kennung) in the order the entry dialogs offer
// them. Only the first character of a stored code counts for the evaluation.
enum class EntryCode { Normal, Unpaid, Holiday, Sick, Leave };
constexpr int EntryCodeCount = 5;

struct EntryCodeInfo
{
    EntryCode code;
    char letter;          // as stored: 'N', 'A', 'F', 'K', 'U'
    const char *name;     // the entry grid's and detail sheet's text
    const char *caption;  // the entry dialogs' choice
    const char *sumField; // the day-record field its net minutes go to
};

// By dialog position 0..4.
const EntryCodeInfo &EntryCodeInfoAt(int position);

// The code a stored Kennung counts for: its first character compared exactly ("n" and "X"
// count for none); false for those and for an empty code.
bool EntryCodeOf(const QString &kennung, EntryCode *code);

// The stored code of a dialog position; the empty code for any other position.
QString EntryCodeAt(int position);
// Position of a stored code by its first character (without regard to case, as the change
// day dialog selects codes); -1 for an empty code or one outside N, A, F, K, U.
int EntryCodePosition(const QString &kennung);
// Name of an entry code by the whole stored value: "N" is "Normal", but "N " or "n" is
// nothing.
QString EntryCodeName(const QVariant &value);
// The dialogs' choices ("N - Normal", ...) and the stored codes in the same order.
QStringList EntryCodeCaptions();
QStringList EntryCodeLetters();

} // namespace tk
