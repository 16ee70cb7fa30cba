#!/usr/bin/env bash
# Installs what is missing, builds the release tree, starts the stand-in music service
# (unless something already serves 127.0.0.1:8707) and then Melvanto; the service is
# stopped again when Melvanto ends.
set -euo pipefail
cd "$(dirname "$0")"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "run.sh: no display available; run it headless with: xvfb-run ./run.sh" >&2
    exit 1
fi
scripts/install-deps
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DMELVANTO_BENCH=OFF >/dev/null
cmake --build build-release

service=build-release/tools/music-service/music-service
service_log=build-release/music-service.log
service_pid=""
stop_service() {
    if [ -n "$service_pid" ]; then
        kill "$service_pid" 2>/dev/null || true
        wait "$service_pid" 2>/dev/null || true
    fi
}
trap stop_service EXIT

port_in_use() { (exec 3<>/dev/tcp/127.0.0.1/8707) 2>/dev/null; }

if port_in_use; then
    echo "run.sh: 127.0.0.1:8707 is already served; using that service" >&2
else
    "$service" --port 8707 >/dev/null 2>"$service_log" &
    service_pid=$!
    # Wait (at most 10 s) until it accepts connections.
    for _ in $(seq 100); do
        port_in_use && break
        if ! kill -0 "$service_pid" 2>/dev/null; then
            echo "run.sh: the music service did not start; see $service_log" >&2
            exit 1
        fi
        sleep 0.1
    done
fi

status=0
build-release/src/melvanto || status=$?
exit "$status"
