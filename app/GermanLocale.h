#pragma once

namespace tk {

// Weekday and month names and the number separators come from the system locale. A machine
// without any locale setting (LANG and LC_* empty, "C" or "POSIX") would print English names
// and decimal points on German time sheets; there the program takes de_DE instead.
// Must run before the application object is created.
void PreferGermanLocaleWhenUnset();

} // namespace tk
