#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing Taktora need.
# Only missing packages are installed; through sudo when not run as root.
set -euo pipefail

PACKAGES=(
    cmake g++ make                # build
    qt6-base-dev                  # Qt Widgets, Sql, PrintSupport, Test (pulls libqt6gui6 with the JPEG plugin)
    pkg-config pxlib-dev          # Paradox tables of old data (--import-paradox)
    libqt6sql6-sqlite             # the SQLite driver of Qt SQL
    libqt6sql6-psql               # the PostgreSQL driver of Qt SQL
    postgresql-15                 # a throw-away server for the tests (scripts/pg-start.sh)
    qt6-translations-l10n         # Qt's own dialogs in German (qtbase_de)
    libjpeg62-turbo               # libjpeg, decodes the splash picture
    fonts-liberation              # metric-compatible Arial: text measures the same everywhere
    libbenchmark-dev              # the benchmark program
    xvfb xauth                    # a virtual display for screenshots
    poppler-utils                 # pdftotext/pdftoppm to look at printed lists
    clang-format                  # the code style check
    desktop-file-utils appstream  # desktop-file-validate, appstreamcli: the desktop files' check
    file                          # scripts/check-desktop-files.sh, cpack's search for programs
    dpkg-dev                      # dpkg-shlibdeps: the Debian package's library dependencies
)

missing=()
for package in "${PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
    SUDO="sudo"
fi
echo "Installiere: ${missing[*]}"
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get update
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
