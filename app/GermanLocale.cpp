#include "app/GermanLocale.h"

#include <QByteArray>
#include <QtGlobal>

namespace tk {

namespace {
bool isUnset(const char *variable)
{
    const QByteArray value = qgetenv(variable);
    return value.isEmpty() || value == "C" || value == "POSIX" || value.startsWith("C.");
}
} // namespace

void PreferGermanLocaleWhenUnset()
{
    if (isUnset("LC_ALL") && isUnset("LC_TIME") && isUnset("LC_NUMERIC") && isUnset("LANG")) {
        qputenv("LC_ALL", "de_DE.UTF-8");
        qputenv("LANG", "de_DE.UTF-8");
    }
}

} // namespace tk
