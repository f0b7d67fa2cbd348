#include "gui/widgets/PendingInput.h"

#include <QApplication>
#include <QWidget>

namespace tk {

bool commitFocusedInput(QWidget *window)
{
    QWidget *focused = window ? window->focusWidget() : QApplication::focusWidget();
    if (auto *input = dynamic_cast<PendingInput *>(focused))
        return input->commitInput();
    return true;
}

} // namespace tk
