#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace tk {

// Runs an action of a window handler; an error it raises is shown in the error box
// ("Information") instead of leaving the handler. Returns false when an error was shown.
bool runGuarded(QWidget *parent, const std::function<void()> &action);

} // namespace tk
