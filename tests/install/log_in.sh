#!/usr/bin/env bash
# Starts an installed or unpacked Quorlan against the stand-in service on its own X server, the
# way a user would: the login dialog must show its picture, typing the demo account must log in
# and bring up the main window, the user's files must go to XDG_DATA_HOME, not beside the
# program, and SIGTERM must end it cleanly.
#
#   log_in.sh QUORLAN -- SERVICE_COMMAND...
#
# The service command must listen on a free port (--port 0): its first line names the port.
set -euo pipefail
if [ -z "${QUORSTAT_LOGIN_DISPLAY:-}" ]; then
    QUORSTAT_LOGIN_DISPLAY=own exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
quorlan=$1
shift 2
readonly title="投注统计系统" deadline=60

work=$(mktemp -d)
service_pid= quorlan_pid=
# Statuses of what is stopped at the end never become the script's.
stop() {
    [ -n "$1" ] || return 0
    kill "$1" 2>/dev/null || true
    wait "$1" 2>/dev/null || true
}
cleanup() {
    stop "$quorlan_pid"
    stop "$service_pid"
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAILED: $*" >&2
    for log in "$work"/*.log; do
        echo "--- $log" >&2
        cat "$log" >&2
    done
    exit 1
}

# Polls a condition (a command) until it holds, for at most $deadline seconds.
wait_for() {
    local what=$1
    shift
    local end=$((SECONDS + deadline))
    until "$@"; do
        [ "$SECONDS" -lt "$end" ] || fail "no $what within $deadline s"
        sleep 0.1
    done
}

# Own directories, so that neither the single-instance guard nor the files reach another copy.
export TMPDIR=$work/tmp XDG_RUNTIME_DIR=$work/runtime XDG_DATA_HOME=$work/data HOME=$work/home
mkdir -p "$TMPDIR" "$XDG_RUNTIME_DIR" "$HOME"
chmod 700 "$XDG_RUNTIME_DIR"
unset QUORSTAT_DATA_DIR QT_QPA_PLATFORM
export QUORSTAT_SOUND=silent

"$@" >"$work/service.log" 2>&1 &
service_pid=$!
port_known() { grep -qsE 'listening on .*:[0-9]+ ' "$work/service.log"; }
wait_for "service port" port_known
port=$(sed -nE 's/.*listening on .*:([0-9]+) .*/\1/p' "$work/service.log" | head -n 1)

QUORSTAT_SERVER=127.0.0.1:$port "$quorlan" >"$work/quorlan.log" 2>&1 &
quorlan_pid=$!

visible_windows() { xdotool search --onlyvisible --name "$title" 2>/dev/null || true; }
login_shown() { login=$(visible_windows | head -n 1) && [ -n "$login" ]; }
wait_for "login dialog" login_shown
# The dialog draws the installed picture at its top left corner.
pixel() { convert "$1" -format '%[fx:int(255*p{24,24}.r+0.5)],%[fx:int(255*p{24,24}.g+0.5)],%[fx:int(255*p{24,24}.b+0.5)]' info:; }
import -window "$login" "$work/login.png"
expected=$(pixel "$(dirname "$quorlan")/../share/quorstat/Image/image_login.png")
[ "$(pixel "$work/login.png")" = "$expected" ] ||
    fail "login dialog without its picture: $(pixel "$work/login.png"), not $expected"

xdotool mousemove --window "$login" 420 108 click 1 type --delay 30 demo
xdotool mousemove --window "$login" 420 150 click 1 type --delay 30 demo123
xdotool key Return

main_shown() {
    local window
    for window in $(visible_windows); do
        [ "$window" != "$login" ] && return 0
    done
    return 1
}
wait_for "main window after logging in" main_shown
saved=$XDG_DATA_HOME/Quorstat/Data/ud.dat
[ -f "$saved" ] || fail "no saved account in $saved"
[ "$(stat -c %a "$saved")" = 600 ] || fail "$saved is readable by others"
[ ! -e "$(dirname "$quorlan")/Data" ] || fail "user files were written beside the program"
# The session ending (SIGTERM) ends the program through its orderly exit.
kill "$quorlan_pid"
status=0
wait "$quorlan_pid" || status=$?
quorlan_pid=
[ "$status" = 0 ] || fail "Quorlan ended with status $status on SIGTERM"
echo "logged in as demo, ended by SIGTERM; files in $XDG_DATA_HOME/Quorstat"
