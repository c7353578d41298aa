#!/usr/bin/env bash
# The archive engine's speed against three archivers that users have (Info-ZIP unzip,
# 7-Zip, libarchive's bsdtar), and joining pieces against cat, side by side in one run
# (in turn, several runs, medians; peak memory from /usr/bin/time). Targets: deflate
# time at most 0.8 of the fastest peer and within 2 times the copy limit; imploded and
# shrunk members no slower than the fastest peer that reads them (many small members
# are shown against the same peers); peak memory that does not grow with the archive;
# joining within 10% of cat; the drive search at most twice as long as find over the
# same folders; the 32-bit build's engine at most 1.25 times the 64-bit build's time
# under Wine (bench/widths.sh). It ends with what keeping the data aside adds to an
# upgrade, against cp -r of the same folder (bench/datacopy.sh).
#   bench/run.sh [runs]            default 5
# BENCH_DIR       data set and outputs (default /dev/shm/torvex-bench, else /tmp; 1.5 GB)
# BENCH_BUILD_DIR Release build folder (default build/bench)
# The peers are installed with apt-get when missing (root, or sudo).
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$(pwd)
runs=${1:-5}
default_work=/tmp/torvex-bench
[ -d /dev/shm ] && default_work=/dev/shm/torvex-bench
work=${BENCH_DIR:-$default_work}
build=${BENCH_BUILD_DIR:-build/bench}

# --- The peers: command and the Debian package that brings it. ---
declare -A peer_package=([unzip]=unzip [zip]=zip [7z]=p7zip-full [bsdtar]=libarchive-tools
                         [libdeflate-gunzip]=libdeflate-tools)
missing=()
for command in "${!peer_package[@]}"; do
  command -v "$command" >/dev/null || missing+=("${peer_package[$command]}")
done
if (( ${#missing[@]} )); then
  sudo=; [ "$(id -u)" -eq 0 ] || sudo=sudo
  echo "installing the peers: ${missing[*]}"
  $sudo apt-get update -qq && $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
fi

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j2 --target qunzip oldzip joinpieces copywork mkmedia limits drivesearch >/dev/null
bin=$(cd "$build" && pwd)
qunzip="$bin/tools/qunzip/qunzip"
oldzip="$bin/tests/support/oldzip/oldzip"
joinpieces="$bin/bench/joinpieces"
limits="$bin/bench/limits"
drivesearch="$bin/bench/drivesearch"
compare="$(pwd)/bench/compare.py"

mkdir -p "$work"
cd "$work"

# --- The data set: machine code, text and already-compressed bytes, over 100 MB. ---
if [ ! -f set.done ]; then
  rm -rf set && mkdir -p set/bin set/text set/packed
  total=0
  for f in /usr/bin/*; do
    [ -f "$f" ] && [ ! -L "$f" ] || continue
    size=$(stat -c %s "$f")
    [ "$size" -lt 20000000 ] || continue
    cp "$f" set/bin/
    total=$((total + size))
    [ "$total" -lt 45000000 ] || break
  done
  python3 - <<'PY'
import random
rng = random.Random(1995)
words = ("contabilitate factura client furnizor sold debit credit jurnal balanta cont TVA plata "
         "incasare data suma total registru casa banca stoc marfa intrare iesire gestiune "
         "amortizare salariu impozit declaratie").split()
for part in range(4):
    lines = []
    size = 0
    while size < 10_000_000:
        line = " ".join(rng.choice(words) for _ in range(rng.randint(4, 14)))
        line += f" {rng.randint(1, 999999)}.{rng.randint(0, 99):02d} RON\r\n"
        lines.append(line)
        size += len(line)
    open(f"set/text/registru-{part}.txt", "w").write("".join(lines))
PY
  for f in set/bin/*; do gzip -9 -c "$f" > "set/packed/$(basename "$f").gz"; done
  head -c 10000000 /dev/urandom > set/packed/noise.bin
  rm -f set.zip && zip -q -r set.zip set
  # The old methods on a smaller mix (the test encoders are slow, not the decoders).
  mkdir -p old && rm -f old/*.zip
  small=(set/text/registru-0.txt $(ls set/bin/* | head -n 60))
  "$oldzip" implode8k-literals old/implode8k-literals.zip "${small[@]}"
  "$oldzip" implode4k old/implode4k.zip "${small[@]}"
  "$oldzip" shrink old/shrink.zip "${small[@]}"
  head -c 1000000 set/text/registru-1.txt > tiny.txt && rm -f tiny.zip && zip -q tiny.zip tiny.txt
  touch set.done
fi
# One large member, for the decoder's own speed.
if [ ! -f large.zip ]; then
  cat set/text/*.txt set/bin/* > large.bin && zip -q large.zip large.bin
fi
# The same bytes as one gzip stream, for the reference decoder below.
if [ ! -f large.gz ]; then
  gzip -6 -c large.bin > large.gz
fi

# Each peer's set-up and extraction of archive $1 into out-<label>.
peer_setup() { echo "rm -rf out-$1 && mkdir out-$1"; }
peer_command() {
  case $1 in
    unzip)  echo "unzip -o -qq $2 -d out-unzip" ;;
    7z)     echo "7z x -y -bd -oout-7z $2" ;;
    bsdtar) echo "bsdtar -xf $2 -C out-bsdtar" ;;
  esac
}
peers=(unzip 7z bsdtar)

# The peers that extract archive $1 to the same bytes as qunzip.
peers_reading() {
  rm -rf out-qunzip && "$qunzip" x "$1" out-qunzip >/dev/null
  local peer
  for peer in "${peers[@]}"; do
    sh -c "$(peer_setup "$peer") && $(peer_command "$peer" "$1")" >/dev/null 2>&1 &&
      diff -r out-qunzip "out-$peer" >/dev/null 2>&1 && echo "$peer"
    rm -rf "out-$peer"
  done
}

# qunzip x against every peer that reads archive $1; more sides may follow as arguments.
compare_extraction() {
  local archive=$1; shift
  local sides=("qunzip" "rm -rf out-qunzip" "$qunzip x $archive out-qunzip")
  local peer readers
  readers=$(peers_reading "$archive")
  for peer in "${peers[@]}"; do
    if grep -qx "$peer" <<<"$readers"; then
      sides+=("$peer" "$(peer_setup "$peer")" "$(peer_command "$peer" "$archive")")
    else
      echo "  ($peer does not extract this archive to the same files)"
    fi
  done
  python3 "$compare" "$runs" "${sides[@]}" "$@"
}

echo "data set: $(du -sh set | cut -f1) in $(find set -type f | wc -l) files; archive $(du -h set.zip | cut -f1)"
echo
echo "Deflated archive (zip -r, level 6): qunzip x against each peer and the two limits"
echo "(copy: the extracted files copied to the same place as cat would; crc: CRC-32 alone over them)"
rm -rf out-reference && unzip -qq set.zip -d out-reference
compare_extraction set.zip "copy" "rm -rf out-copy" "$limits copy out-reference out-copy" \
                           "crc" "true" "$limits crc out-reference"
rm -rf out-reference

for archive in old/implode8k-literals.zip old/implode4k.zip old/shrink.zip; do
  echo
  echo "$(basename "$archive" .zip) ($(du -h "$archive" | cut -f1)): qunzip x against each peer that reads it"
  compare_extraction "$archive"
done

# Many small members in one folder: the cost of each member apart from its bytes.
if [ ! -f many.zip ]; then
  rm -rf many && mkdir many
  python3 - <<'PY'
import random
rng = random.Random(1996)
words = "factura client sold debit credit jurnal balanta cont TVA plata".split()
for number in range(20000):
    text = " ".join(rng.choice(words) for _ in range(rng.randint(12, 250)))
    open(f"many/f{number:05d}.txt", "w").write(text)
PY
  zip -q -r many.zip many && rm -rf many
fi
echo
echo "Many small members ($(unzip -Z1 many.zip | grep -vc '/$') files of 100 to 2,000 bytes in one folder, $(du -h many.zip | cut -f1)): qunzip x against each peer"
compare_extraction many.zip

echo
large_mb=$(( $(stat -c %s large.bin) / 1000000 ))
echo "Inflate alone: one member of $large_mb MB decoded and checked, nothing written (qunzip t);"
echo "against libdeflate-gunzip on the same bytes, whole file in memory, output to /dev/null"
python3 "$compare" "$runs" "qunzip-t" "true" "$qunzip t large.zip" "crc" "true" "$limits crc large.bin" \
                   "libdeflate" "true" "libdeflate-gunzip -c large.gz >/dev/null" |
  awk -v mb="$large_mb" '/median/ { printf "%s  (%.0f MB/s, %.0f MB/s of processor time)\n", $0, mb / $3, mb / $6; next } { print }'

echo
echo "Peak memory against archive size (qunzip x)"
for archive in tiny.zip set.zip; do
  rm -rf out-qunzip
  /usr/bin/time -f "  $archive ($(du -h $archive | cut -f1)): peak %M KB, %e s" "$qunzip" x "$archive" out-qunzip >/dev/null
done

echo
# Joining is bound by copying; a bigger file than the archive makes the times measurable.
if [ ! -d pieces-x6 ]; then
  rm -rf pieces && mkdir pieces-x6
  for i in 1 2 3 4 5 6; do cat set.zip; done | split -b 1400000 -d -a 4 - pieces-x6/SET.
fi
echo "Joining $(ls pieces-x6 | wc -l) pieces of 1,400,000 bytes ($(du -sh pieces-x6 | cut -f1)): joinpieces against cat"
python3 "$compare" "$runs" "joinpieces" "rm -f joined-j.zip" "$joinpieces joined-j.zip pieces-x6/SET.*" \
                           "cat" "rm -f joined-c.zip" "cat pieces-x6/SET.* > joined-c.zip"
cmp -s joined-j.zip joined-c.zip && echo "  joined files are identical"

echo
# The locate page's drive search: 111,111 folders, five levels of ten, no product in them.
if [ ! -f tree.done ]; then
  rm -rf tree
  python3 -c "
import itertools, os
for path in itertools.product(range(10), repeat=5):
    os.makedirs('tree/' + '/'.join('d%d' % level for level in path), exist_ok=True)
"
  touch tree.done
fi
echo "Drive search over $(find tree -type d | wc -l) folders: drivesearch against find -type d"
python3 "$compare" "$runs" "drivesearch" "true" "$drivesearch tree" \
                           "find" "true" "find tree -type d"
echo
# The copy page's work on a CD of about 100 MB: the data set as the product's components.
mkmedia="$bin/tools/mkmedia/mkmedia"
copywork="$bin/bench/copywork"
copy_peer="$(cd "$(dirname "$compare")" && pwd)/copy-peer.sh"
make_cd() {  # make_cd NAME EXE-FILES...: a product around the given program files, on a CD
  local name=$1; shift
  rm -rf "$name-product" "$name-cd" && mkdir -p "$name-product"/{EXE,VANTIR,DBDAT,DBNEW,BDE32,HELP,MIRDAN}
  cp "$@" "$name-product/EXE/"
  head -c 600000 /dev/urandom > "$name-product/INSTALL.EXE"
  for c in VANTIR DBDAT DBNEW BDE32 HELP MIRDAN; do head -c 20000 set/text/registru-0.txt > "$name-product/$c/$c.DAT"; done
  "$mkmedia" build --cd --installer "$name-product/INSTALL.EXE" --upgrade "$name-product/INSTALL.EXE" \
    "$name-product" "$name-cd" >/dev/null
}
[ -d big-cd ] || make_cd big set/bin/* set/text/* set/packed/*
[ -d small-cd ] || make_cd small set/text/registru-0.txt
echo "The copy page's work on a CD of $(du -sh big-cd | cut -f1) in $(ls big-cd | wc -l) files (join and unpack): copywork against cat and unzip -o"
python3 "$compare" "$runs" "copywork" "rm -rf out-cw && mkdir out-cw" "$copywork big-cd out-cw" \
                           "cat+unzip" "rm -rf out-cu && mkdir out-cu" "$copy_peer big-cd out-cu"
diff -r out-cw/WinTorv out-cu/WinTorv >/dev/null && echo "  program folders are identical"
for cd in small-cd big-cd; do
  rm -rf out-cw && mkdir out-cw
  /usr/bin/time -f "  peak memory, $cd ($(du -sh $cd | cut -f1)): %M KB" "$copywork" "$cd" out-cw
done
rm -rf out-* joined-j.zip joined-c.zip

echo
# The shipped 32-bit engine against the 64-bit one, both under Wine, on this data set.
cd "$repo"
bash bench/widths.sh "$runs" "$work"
echo
# What keeping the data aside adds to an upgrade, for a data folder of 100 MB.
bash bench/datacopy.sh "$runs" "$work"
