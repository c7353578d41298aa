#!/usr/bin/env bash
# The program's main job, for people: builds INSTALL.EXE and runs it from sample media
# under Wine, answering its windows as a user going forward would, to its end.
# Uses the display in $DISPLAY when there is one (DEMO_XVFB=1 forces Xvfb), and leaves
# screenshots of every window in build/demo-shots/ (index.txt says what each shows).
# It runs the build that ships, win32, natively or emulated (scripts/win32-way.sh); where
# this machine can run no 32-bit program at all, it says why and runs win64 instead.
# DEMO_BUILD=win64 runs the other one.
set -euo pipefail
cd "$(dirname "$0")/.."

build=${DEMO_BUILD:-win32}
case $build in
    win32 | win64) ;;
    *) echo "demo: DEMO_BUILD is win32 or win64, not $build" >&2; exit 2 ;;
esac

bash scripts/install-prereqs.sh
if [[ $build == win32 ]]; then
    # shellcheck source=scripts/win32-way.sh
    source scripts/win32-way.sh
    win32_way_probe
    if [[ $WIN32_WAY == none ]]; then
        echo "demo: the win64 build instead of win32, which cannot run here: $WIN32_WAY_WHY"
        build=win64
    fi
fi
cmake --preset "$build" >/dev/null
cmake --build "build/$build" -j"$(nproc 2>/dev/null || echo 2)"

if [[ -n ${DISPLAY:-} && ${DEMO_XVFB:-0} != 1 ]]; then
    export E2E_DISPLAY=existing
fi
rm -rf build/demo-shots
E2E_SHOTS_DIR="$PWD/build/demo-shots" bash tests/e2e/run.sh "build/$build" tests/e2e/demo/walkthrough.sh
echo "the $build build; screenshots: build/demo-shots/ (see index.txt)"
