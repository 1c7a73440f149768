#!/usr/bin/env bash
# quenda.exe with zorvel.dll under Wine: the command line, standard input as a script, errors
# and exit codes, a missing library, colour markup on a pipe and on a terminal, deep recursion,
# and the tour in examples/.
#   quenda_e2e.sh QUENDA_EXE
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
quenda=$(realpath "$1")
source "$here/e2e_lib.sh"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
q() { timeout 120 "$here/run-wine" "$quenda" "$@" 2>"$work/err" | tr -d '\r'; }
err() { tr -d '\r' <"$work/err"; }

out=$(q -e '1 + 2' -e 'print("a", "b")'); code=${PIPESTATUS[0]}
check "-e runs statements and prints values" $'3\na b' "$out"
check "-e exits with 0" 0 "$code"

out=$(printf 'folder d = dir.get\nprint(d.type, d + "x.txt")\n' | q); code=${PIPESTATUS[0]}
contains "standard input is a script" "1 " "$out"
contains "a folder plus a text is a file path" "x.txt" "$out"

out=$(q -e 'print("$cyan$blue$n$ plain")')
check "markup is removed on a pipe" "blue plain" "$out"

printf 'print("first")\nnosuch\nprint("never")\n' >"$work/broken.qs"
out=$(cd "$work" && q broken.qs); code=${PIPESTATUS[0]}
check "output before the error stays" "first" "$out"
check "a script error exits with 1" 1 "$code"
check "the error names the file and line" \
  "error: broken.qs, line 2, column 1: unknown name 'nosuch' (help lists the names)" "$(err)"

out=$(q -e 'exit(5)'); code=${PIPESTATUS[0]}
check "exit gives its code" 5 "$code"

out=$(q --lib 'C:\nowhere\zorvel.dll' -e 1); code=${PIPESTATUS[0]}
check "a missing library exits with 3" 3 "$code"
contains "a missing library is named" "cannot load the library 'C:\\nowhere\\zorvel.dll'" "$(err)"

dll=$(winepath -w "$(dirname "$quenda")/zorvel.dll" 2>/dev/null)
out=$(q --lib "$dll" -e 'dir.get.type'); code=${PIPESTATUS[0]}
check "--lib loads the library from a path" "1" "$out"

# A relative --lib names a file below the current directory, never the copy beside quenda.exe.
mkdir -p "$work/sub"
cp "$(dirname "$quenda")/zorvel.dll" "$work/sub/zorvel.dll"
out=$(cd "$work" && q --lib 'sub\zorvel.dll' -e 'dir.get.type'); code=${PIPESTATUS[0]}
check "a relative --lib loads from the current directory" "1" "$out"
out=$(cd "$work" && q --lib zorvel.dll -e 1); code=${PIPESTATUS[0]}
check "a relative --lib that is not there fails" 3 "$code"
contains "and names the file it looked for" "\\$(basename "$work")\\zorvel.dll' (error 126)" "$(err)"
printf 'not a library' >"$work/text.dll"
out=$(cd "$work" && q --lib text.dll -e 1); code=${PIPESTATUS[0]}
check "a file that is no library fails" 3 "$code"
contains "and says so" "not a 32-bit Windows library" "$(err)"

out=$(q -e 'link("np", "notepad")' -e 'help'); code=${PIPESTATUS[0]}
contains "link defines a function" "standby, np" "$out"

printf 'f(n){ return f(n + 1) }\nf(0)\n' >"$work/deep.qs"
out=$(cd "$work" && q deep.qs); code=${PIPESTATUS[0]}
check "endless recursion is an error, not a crash" 1 "$code"
contains "the recursion error says so" "nest deeper than" "$(err)"

out=$(cd "$root" && q examples/tour.qs); code=${PIPESTATUS[0]}
check "the tour runs to its end" 0 "$code"
contains "the tour ends with its last line" "The tour is over" "$out"
check "the tour reports no error" "" "$(err)"

# On a terminal: the prompt, a function over several lines, an error that keeps the prompt, and
# colour as the console's attributes.
if command -v script >/dev/null; then
  # Typed as a person types: after the prompt is up, one line at a time, each ended by the
  # Enter key (a carriage return: Wine's console reads the terminal raw). The input stays open,
  # as script(1) ends the session when its input ends.
  type_lines() {
    sleep 4
    for line in 'main\f(){' 'print("$cyan$in f$n$")' '}' 'f' 'nosuch' 'exit(3)'; do
      printf '%s\r' "$line"
      sleep 0.5
    done
    sleep 5
  }
  type_lines | timeout 120 script -qec "$here/run-wine $quenda" /dev/null >"$work/terminal"
  code=${PIPESTATUS[1]}
  # Wine's console draws with cursor moves: hide and show the cursor, step over blanks.
  out=$(tr -d '\r' <"$work/terminal" |
    perl -pe 's/\e\[\?25[lh]//g; s/\e\[K//g; s/\e\[(\d+)C/" " x $1/ge')
  check "the prompt ends with exit's code" 3 "$code"
  contains "the prompt asks for more lines" "...>" "$out"
  contains "the function ran, in colour" $'\e[96min f' "$out"
  contains "an error keeps the prompt" "error: column 1: unknown name 'nosuch'" "$out"

  # Ctrl+Z, Enter at the listing's question answers only that question: the prompt goes on.
  type_answer() {
    sleep 4
    for line in 'dir.sel' $'\x1a' 'print("after")' 'exit(4)'; do
      printf '%s\r' "$line"
      sleep 0.5
    done
    sleep 5
  }
  type_answer | timeout 120 script -qec "$here/run-wine $quenda" /dev/null >"$work/terminal"
  code=${PIPESTATUS[1]}
  out=$(tr -d '\r' <"$work/terminal" | perl -pe 's/\e\[[?\d;]*[a-zA-Z]//g')
  check "the prompt goes on after an unanswered question" 4 "$code"
  contains "and runs what is typed next" $'\nafter\n' "$out"
fi

finish "quenda e2e"
