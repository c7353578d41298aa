#!/usr/bin/env bash
# Runs every test of the project on a Debian machine, installing what is missing first:
#   native unit and integration tests (ctest), the win32 and win64 builds, a short run of
#   each fuzz target, and the end-to-end suite under Wine on both builds: first win32, the
#   build that ships, then win64.
# The win32 scenarios run the way this machine runs 32-bit programs (scripts/win32-way.sh):
#   native    the whole suite;
#   emulated  the scenarios tagged "shipped" (they prove the shipped build), under qemu-user;
#   none      none, said in one line with the reason; that alone fails nothing.
# The last line names the way and what ran and passed on each build.
# Usage: scripts/test.sh            (everything)
#        FUZZ_SECONDS=60 scripts/test.sh   (longer fuzzing)
#        E2E_WIN32_WAY=emulated scripts/test.sh   (a way forced; see scripts/win32-way.sh)
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc 2>/dev/null || echo 2)

bash scripts/install-prereqs.sh
# shellcheck source=scripts/win32-way.sh
source scripts/win32-way.sh
win32_way_probe

step() { printf '\n=== %s ===\n' "$*"; }

step "native build and tests"
cmake --preset native >/dev/null
cmake --build build/native -j"$jobs"
ctest --test-dir build/native --output-on-failure -j"$jobs"

step "win32 build (the one that ships)"
cmake --preset win32 >/dev/null
cmake --build build/win32 -j"$jobs"

step "win64 build"
cmake --preset win64 >/dev/null
cmake --build build/win64 -j"$jobs"

if [ -x tests/fuzz/run.sh ] || [ -f tests/fuzz/run.sh ]; then
  step "fuzz targets (${FUZZ_SECONDS:-15} s each)"
  bash tests/fuzz/run.sh "${FUZZ_SECONDS:-15}"
fi

# Both suites run even when the first fails, so that one run tells about both builds.
# Each suite's last line says what ran ("win32 (emulated): 5 run, 5 passed, 0 failed").
e2e_status=0
summary=()
e2e_suite() {
    local build=$1 status=0 log
    shift
    log=$(mktemp)
    bash tests/e2e/run.sh "build/$build" "$@" | tee "$log" || status=$?
    summary+=("$(grep -E "^(e2e: )?$build \(" "$log" | tail -1 | sed 's/^e2e: //')")
    rm -f "$log"
    # 3: the 32-bit build cannot run on this machine, which its line has said.
    if (( status != 0 )) && ! [[ $status == 3 && $build == win32 && $WIN32_WAY == none ]]; then
        e2e_status=1
    fi
}
if [[ $WIN32_WAY == emulated ]]; then
    step "end-to-end tests under Wine: win32, emulated (the scenarios tagged shipped)"
    e2e_suite win32 @shipped
else
    step "end-to-end tests under Wine: win32"
    e2e_suite win32
fi
step "end-to-end tests under Wine: win64"
e2e_suite win64
joined=$(printf '%s; ' "${summary[@]}")
printf '\ntest: the 32-bit way %s; %s\n' "$(win32_way_line)" "${joined%; }"
exit "$e2e_status"
