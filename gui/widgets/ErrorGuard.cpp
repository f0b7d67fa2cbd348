#include "gui/widgets/ErrorGuard.h"

#include "core/common/Errors.h"
#include "gui/widgets/MessageBoxes.h"

namespace tk {

bool runGuarded(QWidget *parent, const std::function<void()> &action)
{
    try {
        action();
        return true;
    } catch (const std::exception &e) {
        showError(parent, errorMessage(e));
    }
    return false;
}

} // namespace tk
