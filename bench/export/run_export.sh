#!/usr/bin/env bash
# Export of a large workbook (a material ledger, default 5000 rows: 40,000 cells, 10,000
# formulas) as whole processes: our exporter (load the stored workbook, recalculate, write)
# against LibreOffice headless converting the same workbook (our .xlsx to .xls, our .xls to
# .xlsx: read, recalculate, write), run alternately, medians of RUNS. Times are CPU time
# (user + system, the command's children included), which a busy shared machine disturbs far
# less than wall time.
#
# The conversion work alone is each side's ledger run less the same command on a one-row
# workbook of the same kind (LibreOffice's start-up, profile and filter loading; ours), taken
# pair by pair within one round, then the median of those differences.
# Usage: bench/export/run_export.sh BUILD_DIR [RUNS] [ROWS]
set -euo pipefail
build=${1:?build folder}
runs=${2:-5}
rows=${3:-5000}
if ! command -v soffice >/dev/null; then
  echo "soffice not found: apt-get install libreoffice-calc-nogui" >&2
  exit 3
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
profile="file://$work/lo-profile"
soffice_convert() { # format input outdir
  soffice -env:UserInstallation="$profile" --headless --convert-to "$1" --outdir "$3" "$2" >/dev/null 2>&1
}
time_ms() {
  local TIMEFORMAT='%3U %3S' t
  t=$( { time "$@" >/dev/null 2>&1; } 2>&1 )
  awk -v t="$t" 'BEGIN { split(t, a, " "); printf "%d\n", (a[1] + a[2]) * 1000 }'
}
median() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

ours() { "$build/bin/export_bench" export "$@"; }
"$build/bin/export_bench" make "$work/ledger.json" "$rows"
"$build/bin/export_bench" make "$work/tiny.json" 1
for f in ledger tiny; do
  ours "$work/$f.json" "$work/$f.xlsx"
  ours "$work/$f.json" "$work/$f.xls"
done
mkdir -p "$work/lo" "$work/out"
soffice_convert xls "$work/tiny.xlsx" "$work/lo" # first start makes the profile; not measured

declare -A all
record() { all[$1]="${all[$1]:-} $2"; }
for i in $(seq "$runs"); do
  a=$(time_ms ours "$work/ledger.json" "$work/out/o.xls"); b=$(time_ms ours "$work/tiny.json" "$work/out/t.xls")
  c=$(time_ms soffice_convert xls "$work/ledger.xlsx" "$work/lo"); d=$(time_ms soffice_convert xls "$work/tiny.xlsx" "$work/lo")
  record ours_xls "$a"; record lo_xls "$c"; record ours_xls_net $((a - b)); record lo_xls_net $((c - d))
  a=$(time_ms ours "$work/ledger.json" "$work/out/o.xlsx"); b=$(time_ms ours "$work/tiny.json" "$work/out/t.xlsx")
  c=$(time_ms soffice_convert xlsx "$work/ledger.xls" "$work/lo"); d=$(time_ms soffice_convert xlsx "$work/tiny.xls" "$work/lo")
  record ours_xlsx "$a"; record lo_xlsx "$c"; record ours_xlsx_net $((a - b)); record lo_xlsx_net $((c - d))
  record ours_start "$b"; record lo_start "$d"
done
[ -s "$work/lo/ledger.xls" ] && [ -s "$work/lo/ledger.xlsx" ] || { echo "LibreOffice produced no file" >&2; exit 4; }
m() { median ${all[$1]}; }
echo "rows: $rows; our files: xls $(stat -c %s "$work/out/o.xls") bytes, xlsx $(stat -c %s "$work/out/o.xlsx") bytes"
echo "CPU time, medians of $runs runs:"
echo "xls:  mhbk $(m ours_xls) ms, LibreOffice xlsx->xls $(m lo_xls) ms"
echo "xlsx: mhbk $(m ours_xlsx) ms, LibreOffice xls->xlsx $(m lo_xlsx) ms"
echo "one-row workbook of the same kind: mhbk $(m ours_start) ms, LibreOffice $(m lo_start) ms"
echo "conversion work (ledger less one row, pair by pair): xls mhbk $(m ours_xls_net) ms, LibreOffice $(m lo_xls_net) ms; xlsx mhbk $(m ours_xlsx_net) ms, LibreOffice $(m lo_xlsx_net) ms"
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b < 1) b = 1; printf "%.2f", a / b }'; }
echo "ratio xls export mhbk / LibreOffice: $(ratio "$(m ours_xls)" "$(m lo_xls)")"
echo "ratio xlsx export mhbk / LibreOffice: $(ratio "$(m ours_xlsx)" "$(m lo_xlsx)")"
echo "ratio xls export net of start-up mhbk / LibreOffice: $(ratio "$(m ours_xls_net)" "$(m lo_xls_net)")"
echo "ratio xlsx export net of start-up mhbk / LibreOffice: $(ratio "$(m ours_xlsx_net)" "$(m lo_xlsx_net)")"
