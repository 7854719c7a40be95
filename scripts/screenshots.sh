#!/usr/bin/env bash
# Takes the pictures a reviewer looks at: the child's window at the intro, after it, with the
# site panel open and with the login dialog open, then the parents' panel and each of its
# dialogs, the "save your changes?" question of "Log out", the help page, the refusal and
# not-answering pages, the site panel with pictures and the sites as tiles. They land in
# build/screenshots/ (or build/screenshots-Dutch/ with "Dutch" as the first argument, with
# "-WIDTHxHEIGHT" added for another screen than 1280x900). The program runs on a virtual screen
# with a start page from this machine. Every cut caption of a dialog is printed and saved in
# cut-captions.txt beside the pictures; the run fails when there is one.
#   scripts/screenshots.sh [Dutch|English] [WIDTHxHEIGHT]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/setup.sh" >/dev/null

need=()
command -v xdotool >/dev/null || need+=(xdotool)
command -v import >/dev/null || need+=(imagemagick)
command -v python3 >/dev/null || need+=(python3)
if [ "${#need[@]}" -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${need[@]}"
fi

language="${1:-English}"
screen="${2:-1280x900}"
out="$root/build/screenshots"
[ "$language" = "English" ] || out="$out-$language"
[ "$screen" = "1280x900" ] || out="$out-$screen"
mkdir -p "$out"
work="$(mktemp -d)"
pids=()
cleanup() {
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

# The program reads its data next to itself: give this copy a folder of its own.
cp "$root/build/lanternwick" "$work/"
cp -r "$root/build/webext" "$work/"  # the page processes' request filter
cp "$root"/data/*.txt "$work/"
# The window as it always was first, at its own size; the tiles, filling the screen, come last.
printf 'alleentoegestaan=0\r\n' > "$work/instellingen.txt"
printf '%s\r\n%s\r\n' "$language" "$language" > "$work/languagechoose.txt"
mkdir "$work/site"
cat > "$work/site/index.html" <<'HTML'
<html><body style="font-family:sans-serif;background:#fffbe8">
<h1>Welcome!</h1><p>This page comes from this computer, so no network is needed.</p>
</body></html>
HTML
port="$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])')"
python3 -m http.server "$port" --bind 127.0.0.1 --directory "$work/site" >/dev/null 2>&1 &
pids+=($!)
printf 'Welcome              http://127.0.0.1:%s/index.html\r\n' "$port" > "$work/startpagina.txt"

display=99
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 "${screen}x24" >/dev/null 2>&1 &
pids+=($!)
export DISPLAY=":$display" GDK_BACKEND=x11 NO_AT_BRIDGE=1
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

"$work/lanternwick" >"$work/program.log" 2>&1 &
pids+=($!)
win=""
for _ in $(seq 100); do
    win="$(xdotool search --onlyvisible --name '^Lanternwick$' 2>/dev/null | head -n 1 || true)"
    [ -n "$win" ] && break
    sleep 0.1
done
[ -n "$win" ] || { echo "The browser window did not appear." >&2; exit 1; }

shot() { import -window root "$out/$1.png"; echo "$out/$1.png"; }
sleep 1
shot 1-intro
sleep 4  # the intro lasts three seconds
shot 2-page

eval "$(xdotool getwindowgeometry --shell "$win")"
# Window positions are designed in twips; the window's width gives the pixels per twip.
px() { echo $(( $1 * WIDTH / 11595 )); }
xdotool mousemove $((X + $(px 120) + ($(px 11595) - $(px 360)) / 2)) $((Y + $(px 1747))) click 1
sleep 1
shot 3-site-panel
xdotool click 1  # closes the panel again
sleep 0.5

# The pointer over the parents picture lights its twin, which takes the click.
xdotool mousemove $((X + $(px 7620))) $((Y + $(px 667)))
sleep 0.3
xdotool mousemove $((X + $(px 7625))) $((Y + $(px 670)))
sleep 0.7
xdotool click 1
sleep 1
shot 4-login

# Five wrong tries: the login waits and says for how long. After the wait the password every
# installation came with asks for a password of the parent's own before the panel opens.
login="$(xdotool search --onlyvisible --name 'login|Inloggen' | head -n 1)"
try() {
    xdotool windowactivate --sync "$login" 2>/dev/null || true
    eval "$(xdotool getwindowgeometry --shell "$login")"
    xdotool mousemove $((X + WIDTH * 2 / 3)) $((Y + HEIGHT * 3 / 10)) click --repeat 3 1
    xdotool type --delay 20 "parents"
    xdotool key Tab
    xdotool type --delay 20 "$1"
    xdotool key Return
    sleep 0.7
}
for _ in 1 2 3 4 5; do
    try guess
    xdotool key Return  # closes "Password is wrong"
    sleep 0.5
done
shot 4-login-wait
sleep 30
try lanternwick
shot 4-first-password
xdotool key Escape
sleep 0.5

# The parents' panel and its dialogs, each shown over the browser window; the panel with the
# switch for only the allowed sites on.
kill "${pids[-1]}" 2>/dev/null || true
printf 'alleentoegestaan=1\r\nminutenmaandag=60\r\nvanafzaterdag=09:30\r\ntotzaterdag=22:00\r\n' > "$work/instellingen.txt"
printf 'http://www.zoo.example/animals\r\nhttp://games.example/\r\nhttps://video.example/watch?v=1\r\n' > "$work/verzoeken.txt"
: > "$out/cut-captions.txt"
for window in Parents invoegensite startpagina frmBlocker paswoordwijzigen tijdperdag paswoord \
              question help sites frmVandaag frmVerzoeken; do
    "$root/build/tests/app/window_gallery" "$work" "$window" >"$work/gallery.log" 2>&1 &
    gallery=$!
    sleep 3
    shot "5-$window"
    kill "$gallery" 2>/dev/null || true
    wait "$gallery" 2>/dev/null || true
    sed -n "s/^cut: /$window: /p" "$work/gallery.log" >> "$out/cut-captions.txt"
    cat "$work/gallery.log" >> "$work/program.log"
done

# The daily time limit: the clock with an hour left, the notice and orange clock at five minutes,
# and the cover when the day's time is used up.
limits() {
    for d in maandag dinsdag woensdag donderdag vrijdag zaterdag zondag; do
        printf 'minuten%s=%s\r\n' "$d" "$1"
    done > "$work/instellingen.txt"
}
timed() {
    "$work/lanternwick" >>"$work/program.log" 2>&1 &
    local program=$!
    sleep 6
    shot "$1"
    kill "$program" 2>/dev/null || true
    wait "$program" 2>/dev/null || true
}
rm -f "$work/tijdgebruik.txt"
limits 60
timed 6-time-left
rm -f "$work/tijdgebruik.txt"
limits 5
timed 7-time-notice
limits 5
printf 'datum=%s\r\ntijd=%s\r\nseconden=300\r\nextraminuten=0\r\n' "$(date +%F)" "$(date +%T)" \
    > "$work/tijdgebruik.txt"
timed 8-time-up

# A refused page: the start page holds a blocked word, so the program's own page stands in for it.
rm -f "$work/tijdgebruik.txt" "$work/instellingen.txt"
printf 'casino\r\n' > "$work/words.txt"
printf 'Welcome              http://127.0.0.1:%s/casino.html\r\n' "$port" > "$work/startpagina.txt"
timed 9-refused
# The same where the settings file is: a third button keeps the address for later.
printf 'alleentoegestaan=0\r\n' > "$work/instellingen.txt"
timed 9-refused-later

# A page that does not answer: the start page on a port nothing listens on, with the settings
# file in place, so the program's own page stands in for the engine's error.
printf 'alleentoegestaan=0\r\n' > "$work/instellingen.txt"
printf 'Welcome              http://127.0.0.1:%s/index.html\r\n' "$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])')" \
    > "$work/startpagina.txt"
printf 'casino\r\n' > "$work/words.txt"
timed 10-not-answering

# The site panel with a picture on every button, the pictures' switch on.
printf 'alleentoegestaan=0\r\nplaatjes=1\r\n' > "$work/instellingen.txt"
"$root/build/tests/app/window_gallery" "$work" sitepictures >>"$work/program.log" 2>&1 &
gallery=$!
sleep 3
shot 11-site-pictures
kill "$gallery" 2>/dev/null || true
wait "$gallery" 2>/dev/null || true

# The sites as picture tiles, the window filling the screen: a site with its own picture and
# the others with their names' letters.
printf 'alleentoegestaan=0\r\nplaatjes=1\r\n' > "$work/instellingen.txt"
printf 'Welcome              http://127.0.0.1:%s/index.html\r\n' "$port" > "$work/startpagina.txt"
"$work/lanternwick" >>"$work/program.log" 2>&1 &
program=$!
sleep 6
# The visit button lies in the band, at the screen's right.
xdotool mousemove $(( ${screen%x*} - 150 )) 45 click 1
sleep 1
shot 12-tiles
kill "$program" 2>/dev/null || true
wait "$program" 2>/dev/null || true

if [ -s "$out/cut-captions.txt" ]; then
    echo "Captions that do not show whole:" >&2
    cat "$out/cut-captions.txt" >&2
    exit 1
fi
