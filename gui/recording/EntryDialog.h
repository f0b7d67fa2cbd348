#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

#include <functional>
#include <initializer_list>

class QComboBox;
class QLayout;
class QKeyEvent;
class QLabel;
class QPushButton;
class QWidget;

namespace tk {

class TKvTimeEdit;

// The frame both time entry dialogs share: name bar and month line above the entry
// controls, OK and Cancel below, Escape for Cancel, centred on the screen when first shown.
// Like the dialogs it stores nothing.
class TEntryDialog : public QDialog
{
    Q_OBJECT
public:
    QLabel *paName() const { return m_paName; }
    QLabel *laMonat() const { return m_laMonat; }
    QPushButton *btnOK() const { return m_btnOK; }
    QPushButton *btnCancel() const { return m_btnCancel; }

    // Runs when the operator confirms; false keeps the dialog open (the check has shown
    // why). The caller's rules decide, the dialog itself checks nothing.
    using AcceptCheck = std::function<bool()>;
    void setAcceptCheck(AcceptCheck check) { m_acceptCheck = std::move(check); }
    void accept() override;

protected:
    TEntryDialog(const QString &okCaption, QWidget *parent);

    // Stacks name bar, month line, the given entry layouts and the button row; fixed size.
    void arrangeFrame(std::initializer_list<QLayout *> entryLayouts);
    // The control that gets the focus each time the dialog is shown.
    virtual QWidget *firstField() const = 0;

    void showEvent(QShowEvent *event) override;
    // Escape: swallow the key and press Cancel.
    bool FormKeyPress(QKeyEvent *event);

private:
    QLabel *m_paName = nullptr;
    QLabel *m_laMonat = nullptr;
    QPushButton *m_btnOK = nullptr;
    QPushButton *m_btnCancel = nullptr;
    bool m_centred = false;
    AcceptCheck m_acceptCheck;
};

// Pieces the two time entry dialogs share.
namespace entrydialog {

// The name bar across the dialog's width, text left-aligned.
QLabel *makeNameBar(QWidget *parent);
// A time field as the dialogs use it: no day-type letter, Enter moves on.
TKvTimeEdit *makeTimeField(QWidget *parent);
// A to field: also takes 24:00, so that work up to midnight can be entered and shown.
TKvTimeEdit *makeEndTimeField(QWidget *parent);
QPushButton *makeOkButton(const QString &caption, QWidget *parent);
QPushButton *makeCancelButton(QWidget *parent);
// Sum line text: to minus from, both widened before the subtraction.
QString sumText(const TKvTimeEdit *from, const TKvTimeEdit *to);
void centreOnScreen(QWidget *window);

bool isEnter(const QKeyEvent *event);
bool isListDroppedDown(const QComboBox *box);

} // namespace entrydialog
} // namespace tk
