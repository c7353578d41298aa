#!/usr/bin/env bash
# What keeping the data aside adds to an upgrade: a data folder of 100 MB (100 tables, in
# the folder and a subfolder) copied on its own drive and checked file by file, then
# removed when the upgrade commits (`datacopy`), against `cp -r` of the same folder on the
# same drive, alone and followed by `rm -r` of the copy. In turn, several runs, medians.
#   bench/datacopy.sh [runs] [work-folder]    default 5, $BENCH_DIR or /dev/shm/torvex-bench
# BENCH_BUILD_DIR Release build folder (default build/bench)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-5}
default_work=/tmp/torvex-bench
[ -d /dev/shm ] && default_work=/dev/shm/torvex-bench
work=${2:-${BENCH_DIR:-$default_work}}
build=${BENCH_BUILD_DIR:-build/bench}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j2 --target datacopy >/dev/null
datacopy="$(cd "$build" && pwd)/bench/datacopy"
compare="$(pwd)/bench/compare.py"

mkdir -p "$work"
cd "$work"
if [ ! -f data-drive.done ]; then
  rm -rf data-drive && mkdir -p data-drive/DATA/LUNI
  for n in $(seq -w 1 20); do head -c 4000000 /dev/urandom > "data-drive/DATA/T$n.DB"; done
  for n in $(seq -w 1 80); do head -c 250000 /dev/urandom > "data-drive/DATA/LUNI/L$n.DB"; done
  touch data-drive.done
fi
echo "Keeping a data folder of $(du -sh data-drive/DATA | cut -f1) in $(find data-drive/DATA -type f | wc -l) files aside (copy, check, remove at commit): datacopy against cp -r"
python3 "$compare" "$runs" "datacopy" "true" "$datacopy data-drive" \
                           "cp-r" "rm -rf data-drive/COPY" "cp -r data-drive/DATA data-drive/COPY" \
                           "cp-r+rm" "true" "cp -r data-drive/DATA data-drive/COPY && rm -rf data-drive/COPY"
rm -rf data-drive/COPY
