#pragma once

#include <QObject>
#include <functional>

class QKeyEvent;
class QWidget;

namespace tk {

// Lets a window see every key press before the control with the focus does: the handler
// runs for key presses on the window and on every control inside it when the preview is
// made; returning true swallows the key.
class KeyPreview : public QObject
{
    Q_OBJECT
public:
    using Handler = std::function<bool(QKeyEvent *)>;
    KeyPreview(QWidget *window, Handler handler);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Handler m_handler;
};

} // namespace tk
