#pragma once

// Setup the tests of the two time entry dialogs share.
#include "tests/gui/timefields/FieldHost.h"
#include "tests/support/ModalAnswer.h"

#include <QDialog>
#include <QtTest>

namespace tk::test {

// Shows the dialog modelessly and waits until it is the active window.
inline bool showAndWait(QDialog &dialog)
{
    dialog.show();
    return QTest::qWaitForWindowActive(&dialog);
}

} // namespace tk::test
