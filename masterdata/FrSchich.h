#pragma once

#include <QWidget>

namespace tk {

// Child window of the main window; its contents are built separately.
class TFormSchicht : public QWidget
{
    Q_OBJECT
public:
    explicit TFormSchicht(QWidget *parent = nullptr)
        : QWidget(parent)
    {
    }
};

} // namespace tk
