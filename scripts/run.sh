#!/usr/bin/env bash
# Builds the station program and starts it in the current directory, where its tables and text
# files live (created on first use).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh"
cmake -S "$root" -B "$root/build" -G Ninja -DSTATION_TESTS=OFF -DSTATION_BENCH=OFF >/dev/null
cmake --build "$root/build" --target kestrium
exec "$root/build/app/kestrium" "$@"
