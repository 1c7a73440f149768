#!/usr/bin/env bash
# link, webLink, selFile and selFolder end to end: quenda.exe with zorvel.dll under Wine. The
# tests' recorder program stands in for the linked program and for the browser; the pickers are
# answered with xdotool on the display, or take their cancel path when there is none.
#   launch_e2e.sh QUENDA_EXE RECORDER_EXE
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
quenda=$(realpath "$1")
recorder=$(realpath "$2")
source "$here/e2e_lib.sh"

# On drive C: of the prefix, where the folder browser walks without trouble.
mkdir -p "$WINEPREFIX/drive_c"
work=$(mktemp -d "$WINEPREFIX/drive_c/zv_launch.XXXXXX")
user_choice='HKCU\Software\Microsoft\Windows\Shell\Associations\UrlAssociations\http\UserChoice'
prog_key='HKLM\SOFTWARE\Classes\ZorvelE2eURL'
old_choice=$("$here/run-wine" reg query "$user_choice" /v ProgID 2>/dev/null |
  awk '/ProgID/ {print $3}' | tr -d '\r')
cleanup() {
  "$here/run-wine" reg delete "$prog_key" /f >/dev/null 2>&1
  if [ -n "$old_choice" ]; then
    "$here/run-wine" reg add "$user_choice" /v ProgID /d "$old_choice" /f >/dev/null 2>&1
  else
    "$here/run-wine" reg delete "$user_choice" /v ProgID /f >/dev/null 2>&1
  fi
  rm -rf "$work"
}
trap cleanup EXIT

win() { winepath -w "$1" 2>/dev/null; }
cp "$recorder" "$work/rec.exe"
mkdir -p "$work/Tools Dir" "$work/src"
cp "$recorder" "$work/Tools Dir/browser.exe"
: >"$work/notes.txt"
rec=$(win "$work/rec.exe")
browser=$(win "$work/Tools Dir/browser.exe")
export ZV_RECORD
ZV_RECORD=$(win "$work/record.txt")

# quenda runs the statements in the work folder; its output, without carriage returns and
# without Wine's own remarks.
host() {
  (cd "$work" && timeout 120 "$here/run-wine" "$quenda" -e "$1" 2>&1 | tr -d '\r' |
    grep -v '^wine: ')
}
# The command line the recorder wrote, waited for.
recorded() {
  for _ in $(seq 300); do [ -f "$work/record.txt" ] && break; sleep 0.1; done
  head -n 1 "$work/record.txt" 2>/dev/null | tr -d '\r' || echo "<nothing>"
  rm -f "$work/record.txt"
}

# link: the defined function runs the program, with the caller's argument when there is one.
rm -f "$work/record.txt"
host "link(\"rec\", \"$rec\"); rec(\"one two\")" >/dev/null
check "link with an argument" "\"$rec\" one two" "$(recorded)"
host "link(\"tools\\rec\", \"$rec\"); tools\\rec" >/dev/null
check "link without arguments" "\"$rec\"" "$(recorded)"
check "link refuses a name that is not one" "error: Invalid arguments specified." \
  "$(host "link(\"a b\", \"$rec\")" | grep -o 'error: .*' | sed 's/^error: .*: /error: /')"

# webLink: the defined function opens the address in the browser the registry names.
"$here/run-wine" reg add "$user_choice" /v ProgID /d ZorvelE2eURL /f >/dev/null
"$here/run-wine" reg add "$prog_key\\shell\\open\\command" /ve \
  /d "\"$browser\" -osint -url \"%1\"" /f >/dev/null
host 'webLink("news", "https://example.org/news"); news' >/dev/null
check "webLink opens the address in the registered browser" \
  "\"$browser\" \"https://example.org/news\"" "$(recorded)"

# The pickers. Where Windows can show them, a user answers them through the keyboard; where it
# can't (no display), they take their cancel path and give empty paths.
can_answer=0
[ -n "${DISPLAY:-}" ] && command -v xdotool >/dev/null && can_answer=1
# pick STATEMENT CAPTION [ANSWER]: runs the statement; when the dialog titled CAPTION comes up,
# runs the xdotool commands ANSWER in it. Prints the host's last line; leaves "$work/shown" when
# the dialog came up.
pick() {
  local statement=$1 caption=$2 answer=${3:-} out="$work/pick.out" id="" pid
  (cd "$work" && timeout 120 "$here/run-wine" "$quenda" -e "$statement" >"$out" 2>&1) &
  pid=$!
  while [ $can_answer -eq 1 ] && kill -0 $pid 2>/dev/null; do
    id=$(xdotool search --onlyvisible --name "^$caption\$" 2>/dev/null | head -n 1)
    [ -n "$id" ] && break
    sleep 0.2
  done
  if [ -n "$id" ]; then
    touch "$work/shown"
    sleep 1
    xdotool windowfocus "$id" 2>/dev/null
    sleep 0.3
    eval "$answer"
    # A dialog that missed its answer (it was not ready for the keys) is closed rather than
    # left to the time-out.
    for _ in $(seq 100); do kill -0 $pid 2>/dev/null || break; sleep 0.2; done
    if kill -0 $pid 2>/dev/null; then
      id=$(xdotool search --onlyvisible --name "^$caption\$" 2>/dev/null | head -n 1)
      [ -n "$id" ] && xdotool windowfocus "$id" 2>/dev/null
      xdotool key Escape 2>/dev/null
    fi
  fi
  wait $pid
  tr -d '\r' <"$out" | grep -v '^wine: ' | tail -n 1
}

# The first dialog in a fresh prefix can take its time to accept keys: try a few times.
for attempt in 1 2 3; do
  typed=$(pick 'print(selFile)' Open 'sleep 1; xdotool type --delay 30 notes.txt; xdotool key Return')
  [ -n "$typed" ] || [ ! -f "$work/shown" ] && break
done
if [ -f "$work/shown" ]; then
  check "selFile gives the file typed in" "$(win "$work/notes.txt")" "$typed"
  check "selFolder on the current directory gives an empty path" "" \
    "$(pick 'print(selFolder)' 'Browse for Folder' 'xdotool key Return')"
  check "selFolder below the current directory gives a relative path" 'src\' \
    "$(pick 'print(selFolder)' 'Browse for Folder' 'xdotool key --delay 400 Right Down Return')"
  check "selFolder cancelled gives an empty path" "" \
    "$(pick 'print(selFolder)' 'Browse for Folder' 'xdotool key Escape')"
  check "selFile cancelled gives an empty path" "" "$(pick 'print(selFile)' Open 'xdotool key Escape')"
  echo "pickers: the real dialogs, answered with xdotool"
else
  check "selFile where no dialog can be shown: the cancel path" "" "$typed"
  can_answer=0
  check "selFolder where no dialog can be shown: the cancel path" "" \
    "$(pick 'print(selFolder)' 'Browse for Folder')"
  echo "pickers: no dialog could be shown here, only their cancel path"
fi

finish "launch end to end"
