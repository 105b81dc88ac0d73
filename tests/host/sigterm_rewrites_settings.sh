#!/usr/bin/env bash
# The real program, ended by SIGTERM, writes back normalised settings.
set -euo pipefail
quorlan=$1
data=$(mktemp -d)
trap 'rm -rf "$data"' EXIT
printf '[Global]\r\nLottID=1016\r\n[SystemSettings]\r\nExitPrompt=7\r\nShare_UserList_PrePageCount=4\r\n' \
    >"$data/config.ini"
QUORSTAT_DATA_DIR=$data QUORSTAT_SOUND=silent QT_QPA_PLATFORM=offscreen "$quorlan" &
program=$!
sleep 2
kill -TERM "$program"
wait "$program"
grep -q $'^LottID=1010\r$' "$data/config.ini"
grep -q $'^ExitPrompt=1\r$' "$data/config.ini"
grep -q $'^Share_UserList_PrePageCount=20\r$' "$data/config.ini"
echo "settings rewritten"
