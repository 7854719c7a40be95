#!/usr/bin/env bash
# Shared by run.sh and test.sh: installs what is missing, builds into build/, and puts the
# default data files next to the program without ever replacing one the user already has.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build"

packages=(g++ make cmake pkg-config libwxgtk3.2-dev libwxgtk-webview3.2-dev libgtk-3-dev
          libwebkit2gtk-4.0-dev libsoup2.4-dev libgtest-dev libcpp-httplib-dev libespeak-ng-dev
          xvfb xauth xdotool)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
if [ "${#missing[@]}" -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" -j "$(nproc)"

for f in "$root"/data/*.txt; do
    target="$build/$(basename "$f")"
    [ -e "$target" ] || cp "$f" "$target"
done
