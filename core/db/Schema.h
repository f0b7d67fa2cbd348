#pragma once

#include <QStringList>

namespace tk {

// The statements that create the five tables with their keys and indexes.
// Dates are ISO text (YYYY-MM-DD), minutes and numbers INTEGER, the wage REAL.
QStringList schemaStatements();

} // namespace tk
