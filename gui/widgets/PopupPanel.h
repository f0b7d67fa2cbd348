#pragma once

#include <QFrame>
#include <QPointer>

namespace tk {

// A drop-down panel shown below an anchor control (calendar, calculator). It is a window of
// its own without a parent widget, so a window's key preview never takes the panel's keys:
// arrows and Enter work inside the open panel. Escape or a click outside closes it and the
// focus returns to the anchor.
class PopupPanel : public QFrame
{
    Q_OBJECT
public:
    explicit PopupPanel(QWidget *anchor);

    QWidget *anchor() const { return m_anchor; }
    // Shows the panel below the anchor (above it when there is no room below).
    void popup();

Q_SIGNALS:
    void closed();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    QPointer<QWidget> m_anchor;
};

} // namespace tk
