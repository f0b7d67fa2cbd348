#include "components/ErrorGuard.h"

#include "components/MessageBoxes.h"
#include "data/DbError.h"

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
