#!/usr/bin/env bash
# Builds every libFuzzer target (clang, address and undefined-behaviour sanitizers) in a
# build folder of its own and runs each one for a while.
#   tests/fuzz/run.sh [seconds-per-target]      default 20
# FUZZ_BUILD_DIR sets the build folder (default build/fuzz). Corpora are kept in
# <build>/corpus/<target>, so later runs start where earlier ones stopped. A crash stops
# the script with the fuzzer's status; the reproducer is left in the current folder.
set -euo pipefail
cd "$(dirname "$0")/../.."
seconds=${1:-20}
build=${FUZZ_BUILD_DIR:-build/fuzz}
testdata=${TORVEX_SHARED_TESTDATA:-$(pwd)/../shared/testdata}

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DTORVEX_FUZZ=ON >/dev/null
targets=$(cmake --build "$build" --target help | sed -n 's/^\(fuzz_[A-Za-z0-9_]*\): .*/\1/p' | sort)
if [ -z "$targets" ]; then
  echo "no fuzz targets" >&2
  exit 1
fi
# shellcheck disable=SC2086
cmake --build "$build" -j2 --target $targets

for target in $targets; do
  binary=$(find "$build" -type f -name "$target" -perm -u+x | head -n 1)
  corpus="$build/corpus/$target"
  mkdir -p "$corpus"
  options=()
  if [ "$target" = fuzz_unzip_archive ]; then
    # Archives written by other programs are good first inputs for the archive reader;
    # inputs stay small (the target ignores longer ones).
    [ -d "$testdata" ] && { cp -n "$testdata"/*.zip "$corpus"/ 2>/dev/null || true; }
    options+=(-max_len=8192)
  fi
  echo "== $target for ${seconds}s"
  log="$build/$target.log"
  status=0
  "$binary" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 -print_final_stats=1 \
    "${options[@]}" "$corpus" >"$log" 2>&1 || status=$?
  grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb|Done)' "$log" || true
  if [ "$status" -ne 0 ]; then
    tail -n 60 "$log" >&2
    echo "$target failed with status $status (log: $log)" >&2
    exit "$status"
  fi
done
