#!/usr/bin/env bash
# Prints the delivered language file to PDF as the language editor does and
# renders each page as a PNG image (60 dpi) for looking at: the title block on
# page 1, "Página: N" at the foot of every page but the last, no text past the
# right edge.  Usage: scripts/printout-check.sh [output folder]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${ZERLANT_BUILD_DIR:-build}
out=${1:-$build/printout}
cmake --build "$build" --target printing_test
mkdir -p "$out"
rm -f "$out"/page-*.png "$out"/idioma.pdf
QT_QPA_PLATFORM=offscreen ZERLANT_PRINTOUT_PDF="$(realpath "$out")/idioma.pdf" \
    "$build/bin/printing_test" languageFilePrintout
pdftoppm -png -r 60 "$out/idioma.pdf" "$out/page"
pdfinfo "$out/idioma.pdf" | grep -E '^(Pages|Page size):'
ls "$out"/page-*.png
