#!/usr/bin/env bash
# Sets up what is missing, builds, and runs the whole test suite headless.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
scripts/build.sh
export QT_QPA_PLATFORM=offscreen
export QTWEBENGINE_DISABLE_SANDBOX=1
export QTWEBENGINE_CHROMIUM_FLAGS="--no-sandbox --disable-gpu"
cd build
ctest --output-on-failure --timeout 600 "$@"
