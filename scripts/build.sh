#!/usr/bin/env bash
# Configures build/ once and builds it; arguments go to `cmake --build`
# (e.g. --target ostrevia ostrevia-render).
set -euo pipefail
cd "$(dirname "$0")/.."
generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
if [[ ! -f build/CMakeCache.txt ]]; then
  cmake -S . -B build "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build build --parallel "$(nproc 2>/dev/null || echo 2)" "$@"
