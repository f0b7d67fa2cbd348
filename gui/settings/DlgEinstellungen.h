#pragma once

#include <QDialog>

class QComboBox;

namespace tk {

// "Einstellungen": the firm-wide settings all workstations share. The state whose public
// holidays count is chosen here (empty: the nationwide ones only).
class TDlgEinstellungen : public QDialog
{
    Q_OBJECT
public:
    explicit TDlgEinstellungen(QWidget *parent = nullptr);

    QComboBox *edBundesland() const { return m_bundesland; }
    // Stores the settings; an error is shown and the dialog stays open.
    void accept() override;

private:
    QComboBox *m_bundesland;
};

} // namespace tk
