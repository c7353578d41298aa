#!/usr/bin/env bash
# The copy page's work done with standard tools, for the benchmark: for each component
# archive of a CD folder, cat of its pieces in numeric order into the program folder,
# then unzip -o into its folder, then the archive removed.
#   copy-peer.sh MEDIA TARGET
set -euo pipefail
media=$1 target=$2
program=$target/WinTorv
mkdir -p "$program" "$target/BDE"
for name in EXE VANTIR DBDAT DBNEW BDE32 HELP MIRDAN; do
    case $name in
        BDE32) folder=$target/BDE ;;
        *) folder=$program ;;
    esac
    ls "$media/$name".* | sort -t. -k2,2n | xargs cat >"$program/$name.ZIP"
    unzip -o -qq "$program/$name.ZIP" -d "$folder"
    rm "$program/$name.ZIP"
done
