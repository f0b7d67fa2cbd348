#!/usr/bin/env bash
# Fails when an include crosses a layer the wrong way: core never sees Widgets, PrintSupport,
# gui/ or app/; the recording core never sees the reports; the print menu never sees the
# time recording window.
set -euo pipefail
cd "$(dirname "$0")/.."

status=0
forbid() { # forbid FOLDER PATTERN REASON
    local hits
    hits=$(grep -rnE "^[[:space:]]*#[[:space:]]*include[[:space:]]*[<\"]($2)" "$1" || true)
    if [ -n "$hits" ]; then
        echo "$3:"
        echo "$hits"
        status=1
    fi
}

widgets='QtWidgets|QtPrintSupport|QWidget|QDialog|QApplication|QMainWindow|QMdi|QPrint|QAbstractButton|QPushButton|QLabel|QLineEdit|QMessageBox|QMenu'
forbid core "$widgets" "core/ darf keine Widgets- oder Druckdialog-Header einbinden"
forbid core 'gui/|app/' "core/ darf nicht auf gui/ oder app/ zugreifen"
forbid gui 'app/' "gui/ darf nicht auf app/ zugreifen"
forbid core/recording 'core/reports/' "core/recording darf die Listen nicht kennen"
forbid gui/reports 'gui/recording/' "gui/reports darf das Zeiterfassungsfenster nicht kennen"

[ $status -eq 0 ] && echo "Schichten geprüft."
exit $status
