#!/usr/bin/env bash
# The real program, ended by SIGTERM, writes back normalised settings.
set -euo pipefail
quorlan=$1
data=$(mktemp -d)
runtime=$(mktemp -d)
trap 'rm -rf "$data" "$runtime"' EXIT
printf '[Global]\r\nLottID=1016\r\n[SystemSettings]\r\nExitPrompt=7\r\nShare_UserList_PrePageCount=4\r\n' \
    >"$data/config.ini"
TMPDIR=$runtime XDG_RUNTIME_DIR=$runtime QUORSTAT_DATA_DIR=$data QUORSTAT_SOUND=silent \
    QT_QPA_PLATFORM=offscreen "$quorlan" &
program=$!
# The single-instance socket appears once the program handles SIGTERM.
for _ in $(seq 600); do
    compgen -G "$runtime/quorlan-*" >/dev/null && break
    kill -0 "$program" 2>/dev/null || break
    sleep 0.1
done
compgen -G "$runtime/quorlan-*" >/dev/null
kill -TERM "$program"
wait "$program"
grep -q $'^LottID=1010\r$' "$data/config.ini"
grep -q $'^ExitPrompt=1\r$' "$data/config.ini"
grep -q $'^Share_UserList_PrePageCount=20\r$' "$data/config.ini"
echo "settings rewritten"
