#pragma once

#include <QString>

namespace tk {

// A value of a ';'-separated line: in double quotes ("" inside) when it holds ';', '"' or a
// line break, so that it cannot split its line; else as it is.
QString CsvField(QString value);

} // namespace tk
