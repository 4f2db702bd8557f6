#!/usr/bin/env bash
# Whole-process time of "mhbk --screenshot" against a bare Qt window grabbed the same way,
# run alternately so both see the same machine load. Usage: bench/startup/run_startup.sh BUILD_DIR [RUNS]
set -euo pipefail
build=${1:?build folder}
runs=${2:-20}
export QT_QPA_PLATFORM=offscreen
out=$(mktemp -d)
time_one() { local s e; s=$(date +%s%N); "$@" >/dev/null 2>&1; e=$(date +%s%N); echo $(( (e - s) / 1000 )); }
ours=(); peer=()
for i in $(seq "$runs"); do
  ours+=("$(time_one "$build/bin/mhbk" --screenshot "$out/a.png")")
  peer+=("$(time_one "$build/bin/bare_qt_window" "$out/b.png")")
done
median() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
m_ours=$(median "${ours[@]}"); m_peer=$(median "${peer[@]}")
echo "mhbk --screenshot median: ${m_ours} us"
echo "bare Qt window median:    ${m_peer} us"
awk -v a="$m_ours" -v b="$m_peer" 'BEGIN { printf "ratio mhbk / bare Qt: %.2f\n", a / b }'
rm -rf "$out"
