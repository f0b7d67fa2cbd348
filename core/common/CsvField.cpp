#include "core/common/CsvField.h"

namespace tk {

QString CsvField(QString value)
{
    if (value.contains(QLatin1Char(';')) || value.contains(QLatin1Char('"'))
        || value.contains(QLatin1Char('\n')) || value.contains(QLatin1Char('\r')))
        value = QLatin1Char('"') + value.replace(QLatin1Char('"'), QStringLiteral("\"\""))
            + QLatin1Char('"');
    return value;
}

} // namespace tk
