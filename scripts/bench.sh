#!/usr/bin/env bash
# Runs every benchmark side by side with its reference (surf, grep) and rewrites
# bench/results.md. Installs what is missing first, like setup.sh. About eight minutes, most of
# it the idle measurement. Section names (first-page words subresources visit-log idle idle-limit
# paint helper-login site-panel today-week) run only those and leave the report alone.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

need=()
for p in surf libbenchmark-dev python3 grep xvfb xauth; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || need+=("$p")
done
if [ "${#need[@]}" -gt 0 ]; then
    echo "Installing: ${need[*]}"
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${need[@]}"
fi

"$root/scripts/setup.sh" >/dev/null
# The benchmark tools are left out of normal builds.
cmake --build "$root/build" -j "$(nproc)" --target bench_paint bench_wordcheck bench_helper_login bench_site_panel bench_today_week \
    >/dev/null

if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1600x1200x24" python3 "$root/bench/bench.py" "$@"
fi
exec python3 "$root/bench/bench.py" "$@"
