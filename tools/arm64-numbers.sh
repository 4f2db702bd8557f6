#!/usr/bin/env bash
# The shown digits must not depend on the processor or on the compiler's long double. This builds
# the number core, the weight formulas and their tests for arm64 (long double is a 128-bit quad
# there) with Debian's cross compiler and runs them under qemu-user, then builds them once more
# for this machine with a 64-bit long double. Installs what it needs when missing.
set -euo pipefail

top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$top"
build=${MHBK_BUILD_DIR:-build}

packages=(g++-aarch64-linux-gnu qemu-user googletest cmake ninja-build)
missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "== installing: ${missing[*]}"
  as_root=()
  [ "$(id -u)" -eq 0 ] || as_root=(sudo)
  "${as_root[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
fi

jobs=$(nproc 2>/dev/null || echo 2)
export CCACHE_BASEDIR="$top" CCACHE_NOHASHDIR=true
started=$(date +%s)

echo "== number core for arm64, run under qemu-aarch64"
cmake -S cmake/numbers -B "$build-arm64" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_TOOLCHAIN_FILE="$top/cmake/aarch64-linux-gnu.cmake"
cmake --build "$build-arm64" -j "$jobs"
readelf -h "$build-arm64/tests/numbers_core_test" | grep -E 'Machine'
QEMU_LD_PREFIX=/usr/aarch64-linux-gnu ctest --test-dir "$build-arm64" --output-on-failure --timeout 900
QEMU_LD_PREFIX=/usr/aarch64-linux-gnu qemu-aarch64 "$build-arm64/tests/numbers_core_test" --gtest_brief=1 | tail -n 3

if [ "$(uname -m)" = x86_64 ]; then
  echo "== number core with a 64-bit long double"
  cmake -S cmake/numbers -B "$build-ld64" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS=-mlong-double-64
  cmake --build "$build-ld64" -j "$jobs"
  ctest --test-dir "$build-ld64" --output-on-failure --timeout 900
fi
echo "== arm64 and long-double checks took $(( $(date +%s) - started )) s"
