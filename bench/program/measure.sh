#!/usr/bin/env bash
# The real tl97 on a fresh data folder under a virtual display with a window manager and a tray
# host: the time from launch to its "Started" log entry, then CPU time and resident memory after
# a minute idle in the tray. Usage: measure.sh TL97_BINARY [SECONDS]
set -euo pipefail
binary=$1
seconds=${2:-60}
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null; rm -rf "$work"' EXIT

display=:$((RANDOM % 500 + 100))
Xvfb "$display" -screen 0 1024x768x24 >/dev/null 2>&1 &
export DISPLAY=$display
sleep 1
openbox >/dev/null 2>&1 &
trayer --edge top --align right --widthtype pixel --width 60 --height 24 >/dev/null 2>&1 &
sleep 1

mkdir -p "$work/data"
printf '[Settings]\nLogEvents=1\nStartUpMinimized=1\n' > "$work/data/TL97.INI"
start=$(date +%s%N)
"$binary" --data-dir "$work/data" >/dev/null 2>&1 &
pid=$!
until grep -q Started "$work/data/TL97Evnt.LOG" 2>/dev/null; do sleep 0.005; done
started=$(date +%s%N)
echo "start to Started:  $(( (started - start) / 1000000 )) ms"

sleep 2
ticks=$(getconf CLK_TCK)
cpu() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
before=$(cpu)
sleep "$seconds"
after=$(cpu)
echo "idle CPU in ${seconds} s: $(( (after - before) * 1000 / ticks )) ms"
echo "resident memory:   $(awk '/VmRSS/ {print $2, $3}' "/proc/$pid/status")"
kill -TERM "$pid"
wait "$pid" || true
