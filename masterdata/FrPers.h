#pragma once

#include <QWidget>

namespace tk {

// Child window of the main window; its contents are built separately.
class TFormPers : public QWidget
{
    Q_OBJECT
public:
    explicit TFormPers(QWidget *parent = nullptr)
        : QWidget(parent)
    {
    }
};

} // namespace tk
