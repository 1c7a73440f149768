#!/usr/bin/env bash
# quenda.exe with zorvel.dll under Wine, where only the real programs show it. File names beyond
# the code page: the manifest makes UTF-8 the process's code page, so names in Greek, CJK and emoji
# are listed, copied, renamed and printed through the plug-in's 8-bit interface; a fullwidth
# letter is never taken for its look-alike; a terminal shows the letters. Then the library found
# and refused by Windows' loader, and endless recursion on the real stack. The prompt is
# prompt_tmux.sh's, the tour release_e2e.sh's.
#   quenda_e2e.sh QUENDA_EXE
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
quenda=$(realpath "$1")
source "$here/wine_session.sh"
e2e_begin
files="$work/files"
q() { quenda_in "$files" "$@"; }
content() { cat "$files/$1" 2>&1; }
err() { tr -d '\r' <"$work/err"; }

mkdir -p "$files/Ελλάδα"
for name in 'αβγ.txt' '漢字.txt' '🙂.txt' 'a.txt' 'ａ.txt' 'Ελλάδα/ώρα.txt'; do
  printf '%s' "$name" >"$files/$name"
done

# Listed: every name as it is, the fullwidth ａ beside the plain a.
out=$(q -e 'folder d = dir.get' -e 'd.files')
for name in 'αβγ.txt' '漢字.txt' '🙂.txt' '\a.txt' 'ａ.txt' 'Ελλάδα\'; do
  contains "d.files lists $name" "$name" "$out"
done
out=$(printf '0\n' | q -e 'dir.sel')
contains "dir.sel lists a Greek folder" "[Ελλάδα]" "$out"
contains "dir.sel lists an emoji name" " - 🙂.txt" "$out"

# Copied, renamed, a taken name refused (the object keeps its file), printed.
out=$(q -e 'folder d = dir.get' \
  -e 'file g = d + "αβγ.txt"' -e 'g.copy("αβγ κόπια.txt")' \
  -e 'file c = d + "漢字.txt"' -e 'c.rename("漢字二.txt")' -e 'c.rename("αβγ.txt")' \
  -e 'file e = d + "🙂.txt"' -e 'e.copy("🙂🙂.txt")' \
  -e 'folder f = d + "\Ελλάδα\"' -e 'f.copy("Ελλάδα 🙂")' \
  -e 'print(g.name, c.name, e.ext)')
check "quenda exits with 0" 0 "$?"
check "the names print as UTF-8 into a pipe" "αβγ.txt 漢字二.txt txt" "$out"
check "a Greek name is copied" "αβγ.txt" "$(content 'αβγ κόπια.txt')"
check "a CJK name is renamed, not onto a taken one" "漢字.txt αβγ.txt" \
  "$(content 漢字二.txt) $(content αβγ.txt)"
check "the old CJK name is gone" "no" "$([ -e "$files/漢字.txt" ] && echo yes || echo no)"
check "an emoji name is copied" "🙂.txt" "$(content 🙂🙂.txt)"
check "a folder tree with such names is copied" "Ελλάδα/ώρα.txt" "$(content 'Ελλάδα 🙂/ώρα.txt')"

# Deleting a.txt deletes a.txt: the fullwidth ａ is another file.
q -e 'folder d = dir.get' -e 'file a = d + "a.txt"' -e 'a.rem'
check "a.txt is deleted, the fullwidth ａ.txt stays" "ａ.txt" \
  "$([ -e "$files/a.txt" ] && echo "a.txt is there, ")$(content ａ.txt)"

# On a terminal: the letters (colour markup around them too).
out=$(cd "$files" && timeout 120 script -qec \
  "'$here/run-wine' '$quenda' -e 'print(\"\$cyan\$Ωμέγα\$n\$ 中文\")'" /dev/null | tr -d '\r')
contains "a terminal shows Greek" "Ωμέγα" "$out"
contains "a terminal shows CJK" "中文" "$out"

# A relative --lib names a file below the current directory, never the copy beside quenda.exe.
mkdir "$files/sub"
cp "$(dirname "$quenda")/zorvel.dll" "$files/sub/"
check "a relative --lib loads from the current directory" 1 \
  "$(q --lib 'sub\zorvel.dll' -e 'dir.get.type')"
q --lib zorvel.dll -e 1
check "a relative --lib that is not there exits with 3" 3 "$?"
contains "and names the file it looked for" "\\files\\zorvel.dll' (error 126)" "$(err)"
printf 'not a library' >"$files/text.dll"
q --lib text.dll -e 1
contains "a file that is no library is said to be none" "not a 32-bit Windows library" "$(err)"

printf 'f(n){ return f(n + 1) }\nf(0)\n' >"$files/deep.qs"
q deep.qs
check "endless recursion is an error, not a crash" 1 "$?"
contains "the recursion error says so" "nest deeper than" "$(err)"

finish "quenda e2e"
