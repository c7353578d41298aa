#!/usr/bin/env bash
# The shipped 32-bit engine against the 64-bit one: qunzip.exe of the win32 and of the
# win64 build, both under Wine, side by side in one run on the same deflated archives
# (in turn, several runs, medians). Target: the 32-bit build takes at most 1.25 times the
# 64-bit build's time.
#   bench/widths.sh [runs] [BENCH_DIR]   default 5 runs; the data set that bench/run.sh made
# The two Windows builds are made (build/win32, build/win64) when their qunzip.exe is missing.
# The first line says the way the 32-bit build ran (scripts/win32-way.sh): natively, the
# ratios are the shipped build's; emulated (qemu-user), the times are shown but no ratio,
# for they measure the emulator; where 32-bit programs cannot run at all, nothing is timed.
set -euo pipefail
# A fixed address layout, as in the end-to-end suite: with the heap randomized, a Wine start
# now and then cannot map its shared page and ends with status 1 (tests/e2e/run.sh says more).
if [[ -z ${E2E_FIXED_LAYOUT:-} ]]; then
  E2E_FIXED_LAYOUT=1 exec setarch "$(uname -m)" --addr-no-randomize bash "$0" "$@"
fi
cd "$(dirname "$0")/.."
# shellcheck source=scripts/win32-way.sh
source scripts/win32-way.sh
win32_way_probe
echo "widths: the 32-bit way: $(win32_way_line)"
if [[ $WIN32_WAY == none ]]; then
  echo "widths: nothing measured: the win32 build cannot run on this machine"
  exit 0
fi
runs=${1:-5}
work=${2:-${BENCH_DIR:-/dev/shm/torvex-bench}}
compare="$(pwd)/bench/compare.py"
[[ -f $work/large.zip && -f $work/set.zip ]] ||
  { echo "widths: no data set in $work (bench/run.sh makes it)" >&2; exit 2; }

declare -A exe
for width in 32 64; do
  build=build/win$width
  if [[ ! -f $build/tools/qunzip/qunzip.exe ]]; then
    cmake --preset "win$width" >/dev/null
    cmake --build "$build" -j2 --target qunzip >/dev/null
  fi
  exe[$width]=$(cd "$build/tools/qunzip" && pwd)/qunzip.exe
done

# One prefix of its own with a server that stays up, so that no run pays for starting it.
export WINEPREFIX=$work/wine-prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
[[ -d $WINEPREFIX ]] || /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1
/usr/lib/wine/wineserver64 -p 2>/dev/null || true  # already up from an earlier run: fine
trap '/usr/lib/wine/wineserver64 -k 2>/dev/null || true; win32_way_down' EXIT
[[ $WIN32_WAY != emulated ]] || win32_way_up || { echo "widths: the emulator could not be registered" >&2; exit 2; }
# The ratios, where they say something of the shipped build.
ratios() {
  if [[ $WIN32_WAY == emulated ]]; then
    sed 's/^  ratio .*/  no ratio: the win32 build ran emulated, which says nothing of its own speed/'
  else
    cat
  fi
}
# Host paths as the Windows programs see them: Wine shows the host's root as Z:.
winpath() { local p; p=$(cd "$(dirname "$1")" && pwd)/$(basename "$1"); printf 'Z:%s' "${p//\//\\}"; }
cd "$work"
for width in 32 64; do /usr/lib/wine/wine "${exe[$width]}" t large.zip >/dev/null; done

large_mb=$(( $(stat -c %s large.zip) / 1000000 ))
echo "Inflate alone under Wine: one member ($large_mb MB archive) decoded and checked (qunzip.exe t)"
python3 "$compare" "$runs" "win32" "true" "/usr/lib/wine/wine ${exe[32]} t '$(winpath large.zip)'" \
                           "win64" "true" "/usr/lib/wine/wine64 ${exe[64]} t '$(winpath large.zip)'" | ratios
echo
echo "Extraction under Wine: the deflated set ($(du -h set.zip | cut -f1)) into a folder (qunzip.exe x)"
python3 "$compare" "$runs" "win32" "rm -rf out-w32" "/usr/lib/wine/wine ${exe[32]} x '$(winpath set.zip)' '$(winpath out-w32)'" \
                           "win64" "rm -rf out-w64" "/usr/lib/wine/wine64 ${exe[64]} x '$(winpath set.zip)' '$(winpath out-w64)'" | ratios
diff -r out-w32 out-w64 >/dev/null && echo "  both builds extracted the same files"
rm -rf out-w32 out-w64
