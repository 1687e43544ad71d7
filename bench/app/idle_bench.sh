#!/usr/bin/env bash
# The program's idle load with its window shown and no device attached: the CPU time it takes (in %
# of one core) and how often its threads wake (context switches per second) over 60 s, beside a
# minimal Qt 6 window measured the same way. Each runs in a scratch folder on an Xvfb of the
# script's own, measured after 5 s to settle.
# Usage: bench/app/idle_bench.sh [-t seconds] [build folder, default build-tests]
set -euo pipefail

seconds=60
if [ "${1:-}" = "-t" ]; then
  seconds=$2
  shift 2
fi
build=$(realpath "${1:-build-tests}")
scratch=$(mktemp -d)
xvfb_pid=
trap '[ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null; rm -rf "$scratch"' EXIT

exec {ready}<> <(:)
Xvfb -displayfd "$ready" -screen 0 1920x1080x24 -br -nolisten tcp -noreset 2>/dev/null &
xvfb_pid=$!
read -r -u "$ready" display
export DISPLAY=":$display" QT_QPA_PLATFORM=xcb

switches() { cat /proc/"$1"/task/*/status 2>/dev/null | awk '/ctxt_switches/ { s += $2 } END { print s + 0 }'; }
ticks() { awk '{ sub(/.*\) /, ""); print $12 + $13 }' /proc/"$1"/stat; }

# Prints "<cpu %> <wake-ups/s>" of the program started by the arguments.
measure() {
  (cd "$scratch" && exec "$@" >/dev/null 2>&1) &
  local pid=$!
  sleep 5
  local s0 t0 s1 t1
  s0=$(switches $pid); t0=$(ticks $pid)
  sleep "$seconds"
  s1=$(switches $pid); t1=$(ticks $pid)
  kill $pid; wait $pid 2>/dev/null || true
  awk -v dt=$((t1 - t0)) -v ds=$((s1 - s0)) -v s="$seconds" -v hz="$(getconf CLK_TCK)" \
    'BEGIN { printf "%.2f %.1f\n", 100 * dt / hz / s, ds / s }'
}

read -r our_cpu our_wakeups < <(measure "$build/app/kestrium")
read -r peer_cpu peer_wakeups < <(measure "$build/bench/app/minimal_window")
echo "idle over ${seconds} s, window shown, no device (load: $(cut -d' ' -f1-3 /proc/loadavg))"
echo "ours: cpu ${our_cpu} % of a core, ${our_wakeups} wake-ups/s"
echo "peer (minimal Qt 6 window): cpu ${peer_cpu} % of a core, ${peer_wakeups} wake-ups/s"
