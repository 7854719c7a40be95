#!/usr/bin/env bash
# Installs Lanternwick for one child's account, with the parent's settings out of the child's
# reach:
#   sudo scripts/install-family.sh CHILDUSER            install, or update keeping every data file
#   sudo scripts/install-family.sh --remove CHILDUSER   take it away again, with the child's data
#   --session      Lanternwick is the child's whole session (asked when run at a terminal)
#   --no-console   the child's account cannot log in on a text console (tty1 to tty12)
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
session=0
console=0
child=""

usage() {
    echo "usage: sudo $0 [--root DIR] [--remove | --session --no-console] CHILDUSER" >&2
    exit 2
}
while [ $# -gt 0 ]; do
    case "$1" in
        --root) [ $# -ge 2 ] || usage; root="${2%/}"; shift 2 ;;
        --remove) remove=1; shift ;;
        --session) session=1; shift ;;
        --no-console) console=1; shift ;;
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
all_roots_alone() {
    local dir
    for dir in "$@"; do
        roots_alone "$dir" && continue
        echo "$dir could be changed by others than root, so nothing in it is changed." >&2
        return 1
    done
}
menus_roots_alone() {
    all_roots_alone "$root/usr" "$root/usr/local" "$root/usr/local/share" "$menus"
}

# The child's whole session. What AccountsService held for the child before is kept in a folder
# of root's alone, so a removal puts it back; a name with a dot first is no user's data folder.
xsessions="$root/usr/share/xsessions"
wsessions="$root/usr/share/wayland-sessions"
accounts="$root/var/lib/AccountsService/users"
account="$accounts/$child"
kept_all="$data_all/.session"
kept="$kept_all/$child"
access="$root/etc/security/access.conf"
pam_login="$root/etc/pam.d/login"
mark="# lanternwick $child"
session_dirs_alone() {
    all_roots_alone "$root/usr" "$root/usr/share" "$root/var" "$root/var/lib" \
        "$root/var/lib/AccountsService" "$accounts" "$data_all" "$kept_all" &&
        { [ ! -e "$xsessions" ] || all_roots_alone "$xsessions"; } &&
        { [ ! -e "$wsessions" ] || all_roots_alone "$wsessions"; }
}

# Writes standard input whole beside `file`, with its owner and mode, then puts it in its place.
replace_file() {
    local file="$1" mode="$2" tmp
    tmp="$(mktemp "$(dirname "$file")/.$(basename "$file").XXXXXX")"
    if ! cat > "$tmp" || ! chown root:root "$tmp" || ! chmod "$mode" "$tmp"; then
        rm -f -- "$tmp"
        return 1
    fi
    mv -f -- "$tmp" "$file"
}

# A key of the [User] group: "Session", say. The line as it stands, or nothing.
account_line() {
    [ -f "$account" ] || return 0
    awk -v key="$2" -v group=0 '
        /^\[/ { group = ($0 == "[User]") }
        group && $0 ~ "^[ \t]*" key "[ \t]*=" { print; exit }' "$1"
}

# The account file with each key's line set to the given line ("" takes the line away): in its
# place when the key is there, else right below the [User] line, which is added when missing.
# The file is read twice: first to see which keys it has.
account_with() {
    awk -v session="$1" -v xsession="$2" '
        function add() {
            if (!has["Session"] && session != "") print session
            if (!has["XSession"] && xsession != "") print xsession
        }
        FNR == 1 { pass++; group = 0 }
        /^\[/ { group = ($0 == "[User]") }
        pass == 1 {
            if (group) seen = 1
            if (group && /^[ \t]*Session[ \t]*=/) has["Session"] = 1
            if (group && /^[ \t]*XSession[ \t]*=/) has["XSession"] = 1
            next
        }
        group && /^[ \t]*Session[ \t]*=/ { if (session != "") print session; next }
        group && /^[ \t]*XSession[ \t]*=/ { if (xsession != "") print xsession; next }
        { print }
        group && /^\[/ { add() }
        END { if (!seen && (session != "" || xsession != "")) { print "[User]"; add() } }' \
        "${3:-/dev/null}" "${3:-/dev/null}"
}

install_session() {
    make_missing root:root 0755 "$root/usr" "$root/usr/share" "$root/var/lib/AccountsService"
    make_missing root:root 0700 "$accounts" "$kept_all"
    session_dirs_alone || return 1
    install -o root -g root -m 0755 "$source_root/scripts/lanternwick-session" "$program/" ||
        return 1
    make_missing root:root 0755 "$xsessions"
    local entry
    entry="[Desktop Entry]
Name=Lanternwick
Comment=Only Lanternwick, full screen
Exec=$program/lanternwick-session
TryExec=$program/lanternwick-session
Type=Application
DesktopNames=Lanternwick"
    printf '%s\n' "$entry" | replace_file "$xsessions/lanternwick.desktop" 0644 || return 1
    # Under Wayland the display managers need a compositor; cage shows one program, full screen.
    if command -v cage >/dev/null; then
        make_missing root:root 0755 "$wsessions"
        printf '%s\n' "$entry" |
            sed "s|^Exec=.*|Exec=cage -- $program/lanternwick-session|;s|^TryExec=.*|TryExec=cage|" |
            replace_file "$wsessions/lanternwick.desktop" 0644 || return 1
    fi
    # What the account had is kept once: an update must not keep the session's own values.
    if [ ! -e "$kept" ]; then
        {
            [ -f "$account" ] && echo file || echo none
            echo "$(account_line "$account" Session)"
            echo "$(account_line "$account" XSession)"
        } | replace_file "$kept" 0600 || return 1
    fi
    account_with Session=lanternwick XSession=lanternwick "$([ -f "$account" ] && echo "$account")" |
        replace_file "$account" 0600 || return 1
    # A running AccountsService reads its files again only when it starts.
    if [ -z "$root" ]; then systemctl try-restart accounts-daemon.service 2>/dev/null || true; fi
}

remove_session() {
    [ -e "$kept" ] || return 0
    session_dirs_alone || return 1
    local had session xsession
    had="$(sed -n 1p "$kept")"
    session="$(sed -n 2p "$kept")"
    xsession="$(sed -n 3p "$kept")"
    if [ -f "$account" ]; then
        account_with "$session" "$xsession" "$account" | replace_file "$account" 0600
        # A file the install made and that holds nothing else now goes again.
        if [ "$had" = none ] && [ "$(grep -cv '^\[User\]$' "$account")" = 0 ]; then
            rm -f -- "$account"
        fi
    fi
    rm -f -- "$kept"
    rmdir -- "$kept_all" 2>/dev/null || true
    if [ ! -d "$kept_all" ]; then
        rm -f -- "$xsessions/lanternwick.desktop" "$wsessions/lanternwick.desktop" \
            "$program/lanternwick-session"
    fi
    if [ -z "$root" ]; then systemctl try-restart accounts-daemon.service 2>/dev/null || true; fi
}

# Text consoles: pam_access reads access.conf, and /etc/pam.d/login asks it only with a line
# for it. Our lines end in a mark, so a removal takes away exactly them; pam_access reads the
# mark's words as more terminal names, which no terminal has.
console_dirs_alone() {
    all_roots_alone "$root/etc" "$root/etc/security" "$root/etc/pam.d"
}
install_console() {
    make_missing root:root 0755 "$root/etc" "$root/etc/security"
    console_dirs_alone || return 1
    if ! grep -qxF -- "-:$child:tty1 tty2 tty3 tty4 tty5 tty6 tty7 tty8 tty9 tty10 tty11 tty12 $mark" \
        "$access" 2>/dev/null; then
        { cat -- "$access" 2>/dev/null
          echo "-:$child:tty1 tty2 tty3 tty4 tty5 tty6 tty7 tty8 tty9 tty10 tty11 tty12 $mark"
        } | replace_file "$access" 0644 || return 1
    fi
    if [ ! -f "$pam_login" ]; then
        echo "There is no $pam_login, so no text console asks pam_access." >&2
    elif ! grep -Eq '^[[:space:]]*account[[:space:]].*pam_access\.so' "$pam_login"; then
        { cat -- "$pam_login"; echo "account required pam_access.so $mark"; } |
            replace_file "$pam_login" 0644
    fi
}
remove_console() {
    [ -e "$access" ] || [ -e "$pam_login" ] || return 0
    console_dirs_alone || return 1
    if [ -f "$access" ] && grep -q -- " $mark\$" "$access"; then
        { grep -v -- " $mark\$" "$access" || true; } | replace_file "$access" 0644
    fi
    # The login line serves every child with a console line; the last one takes it away.
    if [ -f "$pam_login" ] && ! grep -q ' # lanternwick [^ ]*$' "$access" 2>/dev/null &&
        grep -q '^account required pam_access\.so # lanternwick [^ ]*$' "$pam_login"; then
        { grep -v '^account required pam_access\.so # lanternwick [^ ]*$' "$pam_login" || true; } |
            replace_file "$pam_login" 0644
    fi
}

if [ "$remove" -eq 1 ]; then
    remove_session
    remove_console
    rm -rf -- "$data"
    remove_old_entry
    # The program and the group stay while another child still has an install; below another
    # root the group stays too, as the machine's own install may use it.
    if [ -z "$(ls -A "$data_all" 2>/dev/null | grep -vxF .session)" ]; then
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

# An update keeps the session, with the new launcher.
[ ! -e "$kept" ] || session=1
if [ "$session" -eq 0 ] && [ -t 0 ]; then
    read -r -p "Make Lanternwick the child's whole session? [y/N] " answer
    case "$answer" in [yYjJ]*) session=1 ;; esac
fi
if [ "$session" -eq 1 ]; then
    install_session || exit 1
    echo "At the login screen, $child's session is Lanternwick, and only Lanternwick."
fi
if [ "$console" -eq 1 ]; then
    install_console || exit 1
    echo "$child can no longer log in on a text console (tty1 to tty12)."
fi

echo "Lanternwick is installed for $child: the program in $program, the data in $data."
