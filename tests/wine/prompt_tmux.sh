#!/usr/bin/env bash
# The prompt as a person uses it: quenda.exe under Wine in a terminal (tmux), keys sent one by
# one, the screen read back. History, editing, completion, colour, a question left unanswered,
# Ctrl+C at the prompt, during a statement and during a script, the end of input at the
# continuation prompt.
#   prompt_tmux.sh QUENDA_EXE
# Exits with 77 (skipped) when tmux is missing.
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
quenda=$(realpath "$1")
source "$here/wine_session.sh"
command -v tmux >/dev/null || { echo "tmux is missing: skipped"; exit 77; }
e2e_begin
socket="zv-prompt-$$"
t() { tmux -L "$socket" "$@"; }
trap 't kill-server 2>/dev/null; rm -rf "$work"' EXIT
deadline=$(($(date +%s) + 240))  # one for the whole run: Wine may start slowly

# quenda in a window of its own, in the work folder; the shell around it says how it ended. The
# shell keeps running through Ctrl+C (a trap, not an ignored signal, which quenda would inherit).
start() {  # start WINDOW ARGS...
  local window=$1
  shift
  t new-window -d -c "$work" -n "$window" \
    "bash -c 'trap : INT; \"$here/run-wine\" \"$quenda\" $*; echo \"quenda ended \$?\"; sleep 600'"
}
screen() { t capture-pane -p -J -t "$1" -S -300 | sed 's/ *$//'; }
keys() { t send-keys -t "$@"; }  # keys WINDOW KEY...: tmux key names (Left, C-c, Enter)
line() { keys "$1" -l "$2" && keys "$1" Enter; }
# Polls until the screen holds COUNT lines equal to TEXT (or, with "~", containing it).
wait_lines() {  # wait_lines WINDOW NAME TEXT [COUNT] [~]
  local grep_flags=-cxF
  [ "${5:-}" = "~" ] && grep_flags=-cF
  until [ "$(screen "$1" | grep $grep_flags -- "$3")" -ge "${4:-1}" ]; do
    if [ "$(date +%s)" -ge "$deadline" ]; then
      verdict "$2" "${4:-1} line(s) of: $3" "$(screen "$1")"
      return 1
    fi
    sleep 0.2
  done
  echo "ok   $2"
}

t -f /dev/null new-session -d -s prompt -n idle -x 160 -y 60 "sleep 900"
start p
wait_lines p "the prompt comes up" "quenda: type help for the names, exit to leave" || {
  finish "prompt"
  exit
}

# History: Up brings the last line back, twice back the one before.
line p 'print("on" + "e")'
wait_lines p "a line runs" "one"
line p 'print("tw" + "o")'
wait_lines p "another line runs" "two"
keys p Up Enter
wait_lines p "Up recalls the last line" "two" 2
keys p Up Up Up Enter
wait_lines p "Up, Up recalls the line before" "one" 2
keys p Up Up Up Down Enter
wait_lines p "Down goes forward again" "two" 3

# Editing: Home and End (as xterm sends them; tmux's own reach Wine as nothing), Ctrl+A and
# Ctrl+E, Delete, Left, Right, Backspace, inserting.
keys p -l 'xprint("wrld!!")'
keys p -l $'\e[H'
keys p DC
keys p -l $'\e[F'
keys p Left Left BSpace Left Left Left Left
keys p -l o
keys p C-a Right C-e Enter
wait_lines p "Home, Delete, End, Left, Backspace edit the line" "world!"

# Completion: a name, a group's member, the choices when several match.
keys p -l 'print(di'
keys p Tab
wait_lines p "Tab completes a name" "quenda> print(dir"
keys p -l '.s'
keys p Tab
wait_lines p "Tab lists a group's matching members" "sel  set" 1 "~"
wait_lines p "and completes as far as they agree" "quenda> print(dir.se" 1 "~"
keys p BSpace BSpace
keys p -l 'ge'
keys p Tab
keys p -l '.type)'
keys p Enter
wait_lines p "a completed line runs" "1"

# Colour reaches the terminal as the console's attributes.
line p 'print("$cyan$in " + "colour$n$")'
wait_lines p "a coloured line runs" "in colour"
contains "in bright cyan" $'\e[96min colour' "$(t capture-pane -p -e -t p)"

# Ctrl+Z, Enter at the listing's question answers only that question: the prompt goes on.
line p 'dir.sel'
wait_lines p "the listing asks" "id:" 1 "~"
keys p C-z Enter
line p 'print("aft" + "er")'
wait_lines p "the prompt goes on after an unanswered question" "after"

# Ctrl+C at the prompt drops the line; the prompt goes on.
keys p -l 'print("nev" + "er")'
keys p C-c
wait_lines p "Ctrl+C shows ^C" 'quenda> print("nev" + "er")^C'
line p 'print("ali" + "ve")'
wait_lines p "the prompt goes on after Ctrl+C" "alive"
check "the dropped line never ran" 0 "$(screen p | grep -cx never)"

# The end of input at the continuation prompt drops the statement; the prompt goes on.
line p 'print("dro" +'
wait_lines p "an open bracket asks for more" "   ...>" 1 "~"
keys p C-d
line p 'print("ke" + "pt")'
wait_lines p "the end of input drops the unfinished statement" 'quenda> print("ke" + "pt")'
wait_lines p "and the next statement runs alone" "kept"

# Ctrl+C while a statement runs ends it: the prompt comes back with "interrupted".
line p 'main\spin(n){ if(n > 0){ spin(n - 1); spin(n - 1) } }'
line p 'print("go" + "ing"); spin(40); print("fin" + "ished")'
wait_lines p "a long statement runs" "going"
keys p C-c
wait_lines p "Ctrl+C ends a running statement" "interrupted"
line p 'print("ba" + "ck")'
wait_lines p "and the prompt is back" "back"
check "the statement did not go on" 0 "$(screen p | grep -cx finished)"

keys p C-d
wait_lines p "Ctrl+D on an empty line leaves" "quenda ended 0"

# A script file: Ctrl+C ends the run with 130.
printf 'main\\spin(n){ if(n > 0){ spin(n - 1); spin(n - 1) } }\nprint("sta" + "rted")\nspin(40)\nprint("never")\n' \
  >"$work/spin.qs"
start s spin.qs
wait_lines s "the script runs" "started"
keys s C-c
wait_lines s "Ctrl+C ends a script with 130" "quenda ended 130"
wait_lines s "and says why" "interrupted" 1 "~"

finish "prompt"
