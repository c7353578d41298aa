#!/usr/bin/env bash
# The whole installation against two installers a vendor would otherwise pick, under Wine:
# INSTALL.EXE -auto from a CD drive, an NSIS 3 installer /S and an MSI package under
# msiexec /i /qn, all of the same product (bench/whole-job/product.py: about 52 MB in
# 234 files), plus a person's run from the type page to the end page. In one prefix, in
# turn, each run from a machine without the product (bench/whole-job/timing.sh says how);
# then the medians, the ratios to each peer and where INSTALL.EXE's time goes, from its
# run log (bench/whole-job/row.py). Beside them, as a limit, the program's archive engine
# alone under Wine (qunzip.exe) unpacking the same joined archives into the same folders.
#   bench/whole-job.sh [runs] [BUILD...]   default 5 runs; build/win32 then build/win64
# BENCH_DIR (default /dev/shm/torvex-bench, else /tmp) holds the product, the media,
# the peers and each row's times and logs, in whole-job/<build>/.
# A build is made when its INSTALL.EXE is missing; nsis and wixl are installed when
# missing (root, or sudo). The 32-bit build runs the way scripts/win32-way.sh finds:
# natively, its figures are the shipped build's; emulated, its times are shown but say
# nothing of its own speed; with no way, it is left out, with the reason.
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$(pwd)
runs=${1:-5}
shift || true
builds=("$@")
(( ${#builds[@]} )) || builds=(build/win32 build/win64)
default_work=/tmp/torvex-bench
[ -d /dev/shm ] && default_work=/dev/shm/torvex-bench
work=${BENCH_DIR:-$default_work}/whole-job
here=$repo/bench/whole-job
export PYTHONDONTWRITEBYTECODE=1

declare -A tool_package=([makensis]=nsis [wixl]=wixl)
missing=()
for tool in "${!tool_package[@]}"; do
  command -v "$tool" >/dev/null || missing+=("${tool_package[$tool]}")
done
if (( ${#missing[@]} )); then
  sudo=; [ "$(id -u)" -eq 0 ] || sudo=sudo
  echo "installing the peers' builders: ${missing[*]}"
  $sudo apt-get update -qq && $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
fi

# shellcheck source=scripts/win32-way.sh
source scripts/win32-way.sh

# stage BUILD OUT: the product made from BUILD's stand-ins, its CD folder (a 3-disk set)
# with the NSIS installer and the MSI package beside the pieces, and the answers file.
stage() {
  local build=$1 out=$2 bits strip arch
  bits=$(sed -n 's/^E2E_BITS=//p' "$build/tests/e2e/build.env")
  case $bits in
    32) strip=i686-w64-mingw32-strip arch=x86 ;;
    *) strip=x86_64-w64-mingw32-strip arch=x64 ;;
  esac
  rm -rf "$out" && mkdir -p "$out"
  python3 "$here/product.py" "$build/standins" "$strip" "$out/product"
  "$build/host-mkmedia/tools/mkmedia/mkmedia" build --cd --disk-size 6000000 \
    --installer "$build/sample-media/INSTALL.EXE" --upgrade "$build/sample-media/UPGRADE.DLL" \
    "$out/product" "$out/cd" >/dev/null
  (cd "$here" && python3 nsis.py "$out/product" "$out/cd/TORVNSIS.EXE")
  (cd "$here" && python3 msi.py "$out/product" "$arch" "$out/cd/TORVEX.MSI" 2>/dev/null)
  rm -f "$out/cd/TORVNSIS.nsi" "$out/cd/TORVEX.wxs"
  # The limit of the copy page's work under Wine: the engine alone on the joined archives.
  mkdir -p "$out/archives"
  local name
  for name in EXE VANTIR DBDAT DBNEW BDE32 HELP MIRDAN; do
    (cd "$out/cd" && printf '%s\n' "$name".[0-9]* | sort -t. -k2,2n | xargs cat) >"$out/archives/$name.ZIP"
  done
  cp "$build/tools/qunzip/qunzip.exe" "$out/qunzip.exe"
  printf '%s\r\n' '[Instalare]' 'Tip=LOCAL' 'Program=C:\WinTorv' >"$out/local.ini"
  echo "$(basename "$build"): CD folder of $(du -sb "$out/cd" | cut -f1) bytes; pieces $(cat "$out"/cd/*.[0-9] | wc -c) bytes;" \
       "NSIS $(stat -c %s "$out/cd/TORVNSIS.EXE"), MSI ($arch) $(stat -c %s "$out/cd/TORVEX.MSI") bytes"
}

for build in "${builds[@]}"; do
  name=$(basename "$build")
  echo "== $name"
  if [[ $name == win32 ]]; then
    win32_way_probe
    echo "the 32-bit way: $(win32_way_line)"
    if [[ $WIN32_WAY == none ]]; then echo "$name: not measured"; continue; fi
  fi
  if [[ ! -f $build/app/INSTALL.EXE || ! -f $build/sample-media/verify-cd.txt || ! -f $build/tools/qunzip/qunzip.exe ]]; then
    cmake --preset "$name" >/dev/null && cmake --build "$build" -j2 >/dev/null
  fi
  out=$work/$name
  stage "$build" "$out/stage"
  [[ ${BENCH_BARE_X:-0} == 1 ]] && echo "X server: bare, as the end-to-end suite runs it (BENCH_BARE_X=1)" ||
    echo "X server: with a resource database, as a desktop's"
  echo "load before: $(uptime)"
  BENCH_STAGE=$out/stage BENCH_OUT=$out BENCH_RUNS=$runs E2E_SCENARIO_SECONDS=$((runs * 4 * 120)) \
    E2E_SHOTS_DIR="$repo/build/e2e-shots" bash tests/e2e/run.sh "$build" "$here/timing.sh" ||
    { echo "$name: not measured (the run's logs: build/e2e-logs/timing/)"; continue; }
  echo "load after: $(uptime)"
  python3 "$here/row.py" "$out"
  echo
done
