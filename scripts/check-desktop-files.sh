#!/usr/bin/env bash
# Checks what a desktop gets from an installed Taktora: installs dist/ alone (the install
# component "desktop", without building the program) into a temporary folder, validates the
# desktop entry and the AppStream file there and looks for the entry's icon in every size.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR="${BUILD_DIR:-build}"

cmake -S . -B "$BUILD_DIR" >/dev/null
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
cmake --install "$BUILD_DIR" --component desktop --prefix "$tree" >/dev/null

entry=$(echo "$tree"/share/applications/*.desktop)
desktop-file-validate "$entry"
appstreamcli validate-tree --no-net --pedantic "$tree"

icons="$tree/share/icons/hicolor"
icon=$(sed -n 's/^Icon=//p' "$entry")
[ -f "$icons/scalable/apps/$icon.svg" ] || { echo "Symbol $icon.svg fehlt." >&2; exit 1; }
for size in 16 32 48 64 128 256; do
    png="$icons/${size}x${size}/apps/$icon.png"
    if ! file -b "$png" | grep -q "^PNG image data, $size x $size,"; then
        echo "Symbol $icon.png fehlt in ${size}x${size} oder hat die falsche Größe." >&2
        exit 1
    fi
done
echo "Desktop-Dateien geprüft: $(basename "$entry"), AppStream, Symbol $icon."
