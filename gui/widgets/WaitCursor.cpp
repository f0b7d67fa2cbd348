#include "gui/widgets/WaitCursor.h"

#include <QCursor>
#include <QGuiApplication>

namespace tk {

namespace {
int g_depth = 0;
}

WaitCursor::WaitCursor()
{
    if (g_depth++ == 0)
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

WaitCursor::~WaitCursor()
{
    if (--g_depth == 0)
        QGuiApplication::restoreOverrideCursor();
}

int WaitCursor::depth()
{
    return g_depth;
}

} // namespace tk
