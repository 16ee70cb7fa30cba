#!/usr/bin/env bash
# Installs what is missing, builds the release tree and starts Melvanto.
set -euo pipefail
cd "$(dirname "$0")"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "run.sh: no display available; run it headless with: xvfb-run ./run.sh" >&2
    exit 1
fi
scripts/install-deps
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DMELVANTO_BENCH=OFF >/dev/null
cmake --build build-release
exec build-release/src/melvanto
