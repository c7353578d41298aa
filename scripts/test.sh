#!/usr/bin/env bash
# Runs every test of the project on a Debian machine, installing what is missing first:
#   native unit and integration tests (ctest), the win32 and win64 builds, a short run of
#   each fuzz target, and the end-to-end suite under Wine on both builds: first win32, the
#   build that ships, then win64.
# Usage: scripts/test.sh            (everything)
#        FUZZ_SECONDS=60 scripts/test.sh   (longer fuzzing)
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc 2>/dev/null || echo 2)

bash scripts/install-prereqs.sh

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
e2e_status=0
step "end-to-end tests under Wine: win32"
bash tests/e2e/run.sh build/win32 || e2e_status=1
step "end-to-end tests under Wine: win64"
bash tests/e2e/run.sh build/win64 || e2e_status=1
exit "$e2e_status"
