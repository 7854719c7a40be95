#!/usr/bin/env bash
# Installs Lanternwick for one child's account, with the parent's settings out of the child's
# reach:
#   sudo scripts/install-family.sh CHILDUSER            install, or update keeping every data file
#   sudo scripts/install-family.sh --remove CHILDUSER   take it away again, with the child's data
# The program goes to /opt/lanternwick (root's), the data to /var/lib/lanternwick/CHILDUSER/
# (root's and the group lanternwick's, closed to everyone else), the menu entry to
# /usr/local/share/applications (root's, one for every child, as the program finds each child's
# data by the user who starts it). The child's browser reaches the data only through the
# set-group-id helper beside it.
# The parent's password is asked for, typed twice; when standard input is no terminal it is read
# from there, two lines, so the install can be scripted. --root DIR installs below DIR instead of
# / (the tests use a temporary one); the group and the user are the machine's own all the same.
# Nothing is written, removed or followed as root in a folder the child can write: the child may
# have put a link there to any file of the machine. The menu entry an earlier version put in the
# child's own menu folder is removed as the child, with the child's rights only.
set -euo pipefail

source_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${LANTERNWICK_BUILD:-$source_root/build}"
group=lanternwick
root=""
remove=0
child=""

usage() {
    echo "usage: sudo $0 [--root DIR] [--remove] CHILDUSER" >&2
    exit 2
}
while [ $# -gt 0 ]; do
    case "$1" in
        --root) [ $# -ge 2 ] || usage; root="${2%/}"; shift 2 ;;
        --remove) remove=1; shift ;;
        -*) usage ;;
        *) [ -z "$child" ] || usage; child="$1"; shift ;;
    esac
done
[ -n "$child" ] || usage
[ "$(id -u)" -eq 0 ] || { echo "Run this as root: sudo $0 $child" >&2; exit 1; }
getent passwd "$child" >/dev/null || { echo "There is no user \"$child\"." >&2; exit 1; }
[ "$(id -u "$child")" -ne 0 ] || { echo "The child's account cannot be root's." >&2; exit 1; }

program="$root/opt/lanternwick"
data_all="$root/var/lib/lanternwick"
data="$data_all/$child"
home="$(getent passwd "$child" | cut -d: -f6)"
menus="$root/usr/local/share/applications"
old_entry="$root$home/.local/share/applications/lanternwick.desktop"

# The child's own old menu entry: removed by a process of the child's user without groups, so
# the kernel allows only what the child could do; bounded, as the child's folders may hang a
# lookup. It starts the same program, so one left behind only hides the new entry.
remove_old_entry() {
    timeout -s KILL 20 setpriv --reuid="$(id -u "$child")" --regid="$(id -g "$child")" \
        --clear-groups --no-new-privs --reset-env -- rm -f -- "$old_entry" 2>/dev/null ||
        echo "The old menu entry $old_entry is still there; $child may remove it." >&2
}

# Whether a folder of the machine's menu path can be changed by root alone (or by a group the
# child is not in, such as an old Debian's "staff" on /usr/local): a real folder, root's, closed
# to others' writes. Anything else could be a link the child put there.
roots_alone() {
    local dir="$1" gid
    [ -d "$dir" ] && [ ! -L "$dir" ] && [ "$(stat -c %u "$dir")" = 0 ] &&
        [ -z "$(find "$dir" -maxdepth 0 -perm -0002)" ] || return 1
    gid="$(stat -c %g "$dir")"
    [ -z "$(find "$dir" -maxdepth 0 -perm -0020)" ] ||
        ! id -G "$child" | tr ' ' '\n' | grep -qx "$gid"
}
menus_roots_alone() {
    local dir
    for dir in "$root/usr" "$root/usr/local" "$root/usr/local/share" "$menus"; do
        roots_alone "$dir" && continue
        echo "$dir could be changed by others than root, so the menu entry there is left as it is." >&2
        return 1
    done
}

if [ "$remove" -eq 1 ]; then
    rm -rf -- "$data"
    remove_old_entry
    # The program and the group stay while another child still has an install; below another
    # root the group stays too, as the machine's own install may use it.
    if [ -z "$(ls -A "$data_all" 2>/dev/null)" ]; then
        rm -rf -- "$program" "$data_all"
        if [ -z "$root" ] && getent group "$group" >/dev/null; then groupdel "$group"; fi
        if [ -e "$menus" ]; then
            menus_roots_alone || exit 1
            rm -f -- "$menus/lanternwick.desktop"
        fi
    fi
    echo "Lanternwick is removed for $child."
    exit 0
fi

# The parent's password: never the one every installation starts with. An update keeps the
# password already there.
password=""
if [ ! -e "$data/paswoordNr.txt" ]; then
    while :; do
        if [ -t 0 ]; then
            read -r -s -p "Password for the parents' panel: " password; echo
            read -r -s -p "The same password again: " again; echo
        else
            IFS= read -r password || true
            IFS= read -r again || true
        fi
        problem=""
        if [ "$password" != "$again" ]; then problem="The two passwords differ."
        elif [ "$password" = "lanternwick" ]; then problem="That is the password everyone knows."
        elif [ "${#password}" -lt 4 ]; then problem="A password needs at least 4 characters."
        fi
        [ -z "$problem" ] && break
        echo "$problem" >&2
        [ -t 0 ] || exit 1
    done
fi

if [ ! -x "$build/lanternwick" ] || [ ! -x "$build/helper/lanternwick-helper" ] ||
   [ ! -e "$build/webext/lanternwick-filter.so" ]; then
    "$source_root/scripts/setup.sh"
fi

# Another install at the same moment may make the group first.
getent group "$group" >/dev/null || groupadd --system "$group" 2>/dev/null ||
    getent group "$group" >/dev/null

# Folders that are there already (the machine's /opt, the child's home) are left as they are.
make_missing() {
    local owner="$1" mode="$2" dir
    shift 2
    for dir in "$@"; do
        [ -d "$dir" ] || install -d -o "${owner%:*}" -g "${owner#*:}" -m "$mode" "$dir"
    done
}

# The program's folder: root's, and nothing in it writable by anyone else.
make_missing root:root 0755 "$root/opt"
install -d -o root -g root -m 0755 "$program" "$program/webext"
install -o root -g root -m 0755 "$build/lanternwick" "$program/lanternwick"
install -o root -g root -m 0644 "$build/webext/lanternwick-filter.so" "$program/webext/"
install -o root -g root -m 0644 "$source_root/data/lanternwick.svg" "$program/"
install -o root -g "$group" -m 2755 "$build/helper/lanternwick-helper" "$program/"

# The data: the child's account can neither list, read nor write it; the helper, running with
# the group, can. An update keeps every file that is there.
make_missing root:root 0755 "$root/var" "$root/var/lib"
install -d -o root -g root -m 0755 "$data_all"
install -d -o root -g "$group" -m 2770 "$data"
for f in "$source_root"/data/*.txt; do
    name="$(basename "$f")"
    [ "$name" = "paswoordNr.txt" ] && continue
    [ -e "$data/$name" ] || install -o root -g "$group" -m 0660 "$f" "$data/$name"
done
if [ -n "$password" ]; then
    tmp="$(mktemp "$data/.paswoordNr.txt.XXXXXX")"
    printf '%s\r\n' "$password" > "$tmp"
    chown root:"$group" "$tmp"
    chmod 0660 "$tmp"
    mv -f "$tmp" "$data/paswoordNr.txt"
fi

# The menu entry: root's, in the machine's menu folder, written whole before it takes the place
# of an older one.
make_missing root:root 0755 "$root/usr" "$root/usr/local" "$root/usr/local/share" "$menus"
menus_roots_alone || exit 1
entry="$(mktemp "$menus/.lanternwick.desktop.XXXXXX")"
sed "s|@LANTERNWICK_DIR@|$program|g" "$source_root/data/lanternwick.desktop.in" > "$entry" ||
    { rm -f -- "$entry"; exit 1; }
chmod 0644 "$entry"
mv -f "$entry" "$menus/lanternwick.desktop"
remove_old_entry

echo "Lanternwick is installed for $child: the program in $program, the data in $data."
