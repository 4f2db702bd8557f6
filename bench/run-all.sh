#!/usr/bin/env bash
# Every benchmark of the project, each side by side with its peer in the same run, and a
# markdown table of the ratios (ours / peer: below 1 means we are faster, except where the
# table says "throughput", where above 1 means we are faster).
#
#   bash bench/run-all.sh [BUILD_DIR]      (default: build-bench beside this folder)
#
# Builds the shipped (RelWithDebInfo) configuration with -DMHBK_BUILD_BENCH=ON in its own folder, then runs:
#   start-up       mhbk --screenshot against a bare Qt window grabbed the same way (bench/startup)
#   expressions    our expression engine against muparser (bench/expr)
#   workbook       our workbook engine against its peer (bench/workbook, when present)
#   export         our xls/xlsx export against LibreOffice's conversion (bench/export)
#   table pages    first fill of every table page against a plain QTableWidget (bench/tablefill)
#   lock wait      a table page shown under another connection's lock against it unlocked (bench/lockwait)
#   search         handbook search through its index against a plain scan of the same rows (bench/search)
#   designation    the designation field per keystroke against a plain split of the same text (bench/designation)
# Peers that are not installed are reported as skipped. Needs: libbenchmark-dev,
# libmuparser-dev, libreoffice-calc-nogui (Debian packages), python3, and for the workbook
# peer node with "npm install" run once in bench/workbook.
# Details of each run go to BUILD_DIR/bench-logs/.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-$top/build-bench}
jobs=${MHBK_BENCH_JOBS:-2}
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}

cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMHBK_BUILD_BENCH=ON -DMHBK_BUILD_TESTS=OFF >/dev/null
targets=$(cmake --build "$build" --target help | sed -n 's/^\([A-Za-z0-9_.-]*\): .*/\1/p')
want=(mhbk mhbk_system_dat bare_qt_window mhbk_expr_bench export_bench tablefill_bench lockwait_bench search_bench designation_bench)
# The workbook benchmark's target, once that folder is there.
for t in $targets; do case "$t" in mhbk_workbook_bench) want+=("$t") ;; esac; done
present=()
for t in "${want[@]}"; do grep -qx "$t" <<<"$targets" && present+=("$t"); done
cmake --build "$build" -j "$jobs" --target "${present[@]}"

logs=$build/bench-logs
mkdir -p "$logs"
rows=()
row() { rows+=("| $1 | $2 | $3 | $4 |"); }
# The figure of the line "ratio LABEL: FIGURE" of a log.
ratio_of() { awk -v label="ratio $1:" 'index($0, label) == 1 { print $NF }' "$2" | tail -1; }

echo "== start-up"
if bash "$top/bench/startup/run_startup.sh" "$build" 20 | tee "$logs/startup.txt"; then
  row "start-up: \`mhbk --screenshot\`" "bare Qt 6 QMainWindow grabbed the same way" "whole-process time" "$(ratio_of 'mhbk / bare Qt' "$logs/startup.txt")"
fi

echo "== expression engine"
if [ -x "$build/bin/mhbk_expr_bench" ]; then
  "$build/bin/mhbk_expr_bench" --benchmark_filter='^BM_(Vbs|MuParser)$' --benchmark_format=json \
    --benchmark_min_time=1 >"$logs/expr.json" 2>"$logs/expr.err"
  r=$(python3 - "$logs/expr.json" <<'PY'
import json, sys
runs = {b["name"]: b for b in json.load(open(sys.argv[1]))["benchmarks"]}
print("%.2f" % (runs["BM_Vbs"]["items_per_second"] / runs["BM_MuParser"]["items_per_second"]))
PY
)
  echo "throughput ours / muparser: $r" | tee "$logs/expr.txt"
  row "expressions: parse and evaluate keypad expressions" "muparser" "throughput (higher is better)" "$r"
else
  row "expressions" "muparser" "skipped: bench/expr not built" "-"
fi

echo "== workbook engine"
runner=$top/bench/workbook/run_bench.sh
if [ -f "$runner" ]; then
  # Its table: measurement, mhbk ms, peer ms, peer/mhbk; turned round here to ours / peer.
  if sh "$runner" "$build" | tee "$logs/workbook.txt"; then
    while read -r name ours peer _; do
      [ "$peer" = "-" ] && continue
      row "workbook engine: ${name//_/ } (5,000 cells, 2,000 formulas)" "HyperFormula under node" "time" \
        "$(awk -v a="$ours" -v b="$peer" 'BEGIN { printf "%.2f", a / b }')"
    done < <(grep -E '^(load_and_recalculate|full_recalculation|edit_one_cell) ' "$logs/workbook.txt")
  fi
else
  row "workbook engine" "peer engine" "skipped: bench/workbook is not there" "-"
fi

echo "== export"
if bash "$top/bench/export/run_export.sh" "$build" 5 5000 | tee "$logs/export.txt"; then
  row "export .xls of a 5,000-row ledger" "LibreOffice headless xlsx → xls" "whole-process time" "$(ratio_of 'xls export mhbk / LibreOffice' "$logs/export.txt")"
  row "export .xlsx of a 5,000-row ledger" "LibreOffice headless xls → xlsx" "whole-process time" "$(ratio_of 'xlsx export mhbk / LibreOffice' "$logs/export.txt")"
  row "export .xls, start-up of both taken off" "LibreOffice headless xlsx → xls" "conversion work" "$(ratio_of 'xls export net of start-up mhbk / LibreOffice' "$logs/export.txt")"
  row "export .xlsx, start-up of both taken off" "LibreOffice headless xls → xlsx" "conversion work" "$(ratio_of 'xlsx export net of start-up mhbk / LibreOffice' "$logs/export.txt")"
else
  row "export" "LibreOffice" "skipped: soffice missing" "-"
fi

echo "== first fill of every table page"
"$build/bin/tablefill_bench" "$build/bin/System.dat" 7 | tee "$logs/tablefill.txt"
row "first fill of all table pages" "QTableWidget filled by a raw QSqlQuery" "time" "$(ratio_of 'table pages first fill / plain QTableWidget' "$logs/tablefill.txt")"

echo "== lock wait"
"$build/bin/lockwait_bench" "$build/bin/System.dat" 3 | tee "$logs/lockwait.txt"
row "table page under a database lock, until reported" "the same page unlocked" "time" "$(ratio_of 'table page under a lock / unlocked' "$logs/lockwait.txt")"

echo "== handbook search"
"$build/bin/search_bench" "$build/bin/System.dat" 50 | tee "$logs/search.txt"
row "handbook search, median query of 44" "plain linear scan of the same rows" "time" "$(ratio_of 'search median query / plain scan' "$logs/search.txt")"
row "handbook search, worst query of 44" "plain linear scan of the same rows" "time" "$(ratio_of 'search worst query / plain scan' "$logs/search.txt")"

echo "== designation field"
"$build/bin/designation_bench" "$build/bin/System.dat" 20 | tee "$logs/designation.txt"
row "designation field, median keystroke" "plain split of the same text" "time" "$(ratio_of 'designation median keystroke / plain split' "$logs/designation.txt")"

echo
echo "| benchmark | peer | measure | ratio ours / peer |"
echo "|---|---|---|---:|"
printf '%s\n' "${rows[@]}"
