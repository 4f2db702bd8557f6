#!/usr/bin/env bash
# Export of a large workbook (a material ledger, default 5000 rows: 40,000 cells, 10,000
# formulas) as whole processes: our exporter (load the stored workbook, recalculate, write)
# against LibreOffice headless converting the same workbook (our .xlsx to .xls, our .xls to
# .xlsx: read, recalculate, write), run alternately, medians of RUNS. Also given net of each
# side's start-up, measured with a one-row workbook. Times are CPU time (user + system, the
# command's children included), which a busy shared machine disturbs far less than wall time.
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

"$build/bin/export_bench" make "$work/ledger.json" "$rows"
"$build/bin/export_bench" make "$work/tiny.json" 1
"$build/bin/export_bench" export "$work/ledger.json" "$work/ledger.xlsx"
"$build/bin/export_bench" export "$work/ledger.json" "$work/ledger.xls"
printf 'x\n1\n' > "$work/tiny.csv"
mkdir -p "$work/lo"
soffice_convert xlsx "$work/tiny.csv" "$work/lo" # first start makes the profile; not measured

ours_xls=(); peer_xls=(); ours_xlsx=(); peer_xlsx=(); lo_start=(); our_start=()
for i in $(seq "$runs"); do
  ours_xls+=("$(time_ms "$build/bin/export_bench" export "$work/ledger.json" "$work/out.xls")")
  peer_xls+=("$(time_ms soffice_convert xls "$work/ledger.xlsx" "$work/lo")")
  ours_xlsx+=("$(time_ms "$build/bin/export_bench" export "$work/ledger.json" "$work/out.xlsx")")
  peer_xlsx+=("$(time_ms soffice_convert xlsx "$work/ledger.xls" "$work/lo")")
  lo_start+=("$(time_ms soffice_convert xlsx "$work/tiny.csv" "$work/lo")")
  our_start+=("$(time_ms "$build/bin/export_bench" export "$work/tiny.json" "$work/tiny.xlsx")")
done
[ -s "$work/lo/ledger.xls" ] && [ -s "$work/lo/ledger.xlsx" ] || { echo "LibreOffice produced no file" >&2; exit 4; }
a=$(median "${ours_xls[@]}"); b=$(median "${peer_xls[@]}")
c=$(median "${ours_xlsx[@]}"); d=$(median "${peer_xlsx[@]}"); s=$(median "${lo_start[@]}"); t=$(median "${our_start[@]}")
echo "rows: $rows; our files: xls $(stat -c %s "$work/out.xls") bytes, xlsx $(stat -c %s "$work/out.xlsx") bytes"
echo "CPU time, medians of $runs runs:"
echo "xls:  mhbk ${a} ms, LibreOffice xlsx->xls ${b} ms"
echo "xlsx: mhbk ${c} ms, LibreOffice xls->xlsx ${d} ms"
echo "start and a one-row export: mhbk ${t} ms, LibreOffice ${s} ms"
awk -v a="$a" -v b="$b" 'BEGIN { printf "ratio xls export mhbk / LibreOffice: %.2f\n", a / b }'
awk -v c="$c" -v d="$d" 'BEGIN { printf "ratio xlsx export mhbk / LibreOffice: %.2f\n", c / d }'
# The same with each side's own start-up (a one-row workbook) taken off: the conversion work alone.
net() { awk -v a="$1" -v b="$2" -v t="$t" -v s="$s" 'BEGIN { x = b - s; if (x < 1) x = 1; printf "%.2f", (a - t) / x }'; }
echo "ratio xls export net of start-up mhbk / LibreOffice: $(net "$a" "$b")"
echo "ratio xlsx export net of start-up mhbk / LibreOffice: $(net "$c" "$d")"
