#!/usr/bin/env bash
# Installs what is missing, builds, and starts Lanternwick.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/setup.sh"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display found: starting Lanternwick under xvfb-run (a virtual screen nobody sees)."
    exec xvfb-run -a -s "-screen 0 1600x1200x24" env GDK_BACKEND=x11 NO_AT_BRIDGE=1 \
        "$root/build/lanternwick"
fi
exec "$root/build/lanternwick"
