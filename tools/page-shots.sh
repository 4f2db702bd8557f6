#!/usr/bin/env bash
# PNG pictures of pages of the built program as the built handbook fills them, without a display:
#   bash tools/page-shots.sh OUTDIR [PAGE ...]    (pages 0-51; by default the unit, density and
#                                                 formula tables, pages 2 3 4)
# The sheet windows with lengths typed in: build/tools/sheet-render/mhbk_sheets_render OUTDIR
set -euo pipefail
out=${1:?usage: bash tools/page-shots.sh OUTDIR [PAGE ...]}
shift
pages=("$@")
[ ${#pages[@]} -gt 0 ] || pages=(2 3 4)
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
program="$top/${MHBK_BUILD_DIR:-build}/bin/mhbk"
mkdir -p "$out"
for page in "${pages[@]}"; do
  QT_QPA_PLATFORM=offscreen "$program" --screenshot "$out/page$page.png" --page "$page"
done
