#pragma once

#include <QString>

namespace tk {

// The firm-wide settings all workstations share, kept in the table Einstellung as key and
// text value. A missing key reads as empty.
class FirmSettings
{
public:
    static constexpr const char *StateKey = "Bundesland";

    static QString value(const QString &key);
    // Stores the value (empty removes the key). Throws DbError.
    static void setValue(const QString &key, const QString &value);

    // The state whose public holidays count: a two-letter code, empty for the nationwide ones.
    static QString state();
};

} // namespace tk
