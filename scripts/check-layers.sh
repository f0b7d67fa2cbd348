#!/usr/bin/env bash
# Fails when an include crosses a layer boundary that CODING.md forbids; prints file:line of each.
#   core/              never Qt Widgets or PrintSupport, never gui/ or app/
#   gui/               never app/
#   core/recording/    never core/reports/
#   gui/reports/       never gui/recording/ (the print menu gets a print context)
set -euo pipefail
cd "$(dirname "$0")/.."

# The installed Qt names every Widgets and PrintSupport header; without it, a list of the
# usual ones stands in.
qtHeaderDir() {
    local dir
    dir=$(qmake6 -query QT_INSTALL_HEADERS 2>/dev/null || true)
    [ -d "$dir/QtWidgets" ] || dir=$(find /usr/include /usr/local/include -maxdepth 3 -type d \
        -name QtWidgets -path '*qt6*' -printf '%h\n' 2>/dev/null | head -n 1)
    echo "$dir"
}

widgetHeaderPattern() {
    local dir names
    dir=$(qtHeaderDir)
    if [ -n "$dir" ] && [ -d "$dir/QtWidgets" ] && [ -d "$dir/QtPrintSupport" ]; then
        names=$(find "$dir/QtWidgets" "$dir/QtPrintSupport" -maxdepth 1 -type f -name 'Q*' \
            ! -name '*.h' -printf '%f\n' | sort -u | paste -sd '|')
    else
        names='QWidget|QApplication|QDialog|QMainWindow|QMessageBox|QLabel|QLineEdit|QPushButton'
        names+='|Q[A-Za-z]*Layout|QPrinter|QPrintDialog|QPrintPreview[A-Za-z]*|QPageSetupDialog'
    fi
    echo "#[[:space:]]*include[[:space:]]*<((QtWidgets|QtPrintSupport)(/[^>]*)?|${names})(\\.h)?>"
}

# findIncludes <folder> <extended regex> <what is wrong>: prints "file:line: what is wrong: line".
findIncludes() {
    local folder=$1 pattern=$2 reason=$3
    [ -d "$folder" ] || return 0
    { grep -rnE --include='*.h' --include='*.cpp' "$pattern" "$folder" || true; } |
        awk -v reason="$reason" -F: '{ text = $0; sub(/^[^:]*:[0-9]*:/, "", text)
                                       print $1 ":" $2 ": " reason ": " text }'
}

violations=$(
    findIncludes core "$(widgetHeaderPattern)" "core uses Qt Widgets or PrintSupport"
    findIncludes core '#[[:space:]]*include[[:space:]]*"(gui|app)/' "core includes gui or app"
    findIncludes gui '#[[:space:]]*include[[:space:]]*"app/' "gui includes app"
    findIncludes core/recording '#[[:space:]]*include[[:space:]]*"core/reports/' \
        "core/recording includes core/reports"
    findIncludes gui/reports '#[[:space:]]*include[[:space:]]*"gui/recording/' \
        "gui/reports includes gui/recording"
)

if [ -n "$violations" ]; then
    echo "$violations"
    echo "Schichtenregeln verletzt: $(echo "$violations" | wc -l) Stelle(n)." >&2
    exit 1
fi
echo "Schichten geprüft."
