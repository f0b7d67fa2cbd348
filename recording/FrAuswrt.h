#pragma once

#include <QWidget>

namespace tk {

// Child window of the main window; its contents are built separately.
class TFormAuswert : public QWidget
{
    Q_OBJECT
public:
    explicit TFormAuswert(QWidget *parent = nullptr)
        : QWidget(parent)
    {
    }
};

} // namespace tk
