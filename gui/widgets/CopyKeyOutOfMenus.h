#pragma once

#include <QObject>

class QWidget;

namespace tk {

// In a window whose Ctrl+C discards the edit, the context menus of its text fields must not
// announce Ctrl+C for copying: they offer "Kopieren" without the key. Watches the text
// fields inside the window when it is made.
class CopyKeyOutOfMenus : public QObject
{
    Q_OBJECT
public:
    explicit CopyKeyOutOfMenus(QWidget *window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

} // namespace tk
