#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/setup.sh"

cd "$root/build"
if [ -n "${DISPLAY:-}" ] || [ "$#" -gt 0 ]; then
    # On a desktop, or asked for something particular: one run, as asked.
    if [ -z "${DISPLAY:-}" ]; then
        exec xvfb-run -a -s "-screen 0 1600x1200x24" ctest --output-on-failure "$@"
    fi
    exec ctest --output-on-failure "$@"
fi

# Without a display: two virtual screens, each running every other case, one at a time, so no
# two windows ever compete for one screen's keyboard focus.
screens=()
cleanup() {
    for pid in "${screens[@]}"; do kill "$pid" 2>/dev/null || true; done
}
trap cleanup EXIT
free_display() {
    local n=$1
    while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
    echo "$n"
}
first=$(free_display 90)
Xvfb ":$first" -screen 0 1600x1200x24 -nolisten tcp >/dev/null 2>&1 &
screens+=($!)
second=$(free_display $((first + 1)))
Xvfb ":$second" -screen 0 1600x1200x24 -nolisten tcp >/dev/null 2>&1 &
screens+=($!)
for n in "$first" "$second"; do
    for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
done

DISPLAY=":$first" ctest --output-on-failure -I 1,,2 >shard1.log 2>&1 &
one=$!
DISPLAY=":$second" ctest --output-on-failure -I 2,,2 >shard2.log 2>&1 &
two=$!
status=0
wait "$one" || status=1
wait "$two" || status=1
cat shard1.log shard2.log
exit "$status"
