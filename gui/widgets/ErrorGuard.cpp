#include "gui/widgets/ErrorGuard.h"

#include "core/common/Errors.h"
#include "gui/widgets/MessageBoxes.h"

namespace tk {

bool runGuarded(QWidget *parent, const std::function<void()> &action)
{
    try {
        action();
        return true;
    } catch (const DbError &e) {
        showError(parent, e.message());
    } catch (const std::exception &e) {
        showError(parent, QString::fromLocal8Bit(e.what()));
    }
    return false;
}

} // namespace tk
