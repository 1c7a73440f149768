#!/usr/bin/env bash
# File names beyond the code page through quenda.exe under Wine: its manifest makes UTF-8 the
# process's code page, so names in Greek, CJK and emoji are listed, copied, renamed and printed
# through the plug-in's 8-bit interface; a fullwidth letter is never taken for its look-alike;
# output to a file is UTF-8 and to a terminal shows the letters.
#   names_e2e.sh QUENDA_EXE
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
quenda=$(realpath "$1")
source "$here/e2e_lib.sh"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
q() { (cd "$work/files" && timeout 120 "$here/run-wine" "$quenda" "$@" 2>"$work/err") | tr -d '\r'; }

mkdir -p "$work/files/Ελλάδα"
for name in 'αβγ.txt' '漢字.txt' '🙂.txt' 'a.txt' 'ａ.txt' 'Ελλάδα/ώρα.txt'; do
  printf '%s' "$name" >"$work/files/$name"
done

# Listed: every name as it is, the fullwidth ａ beside the plain a.
out=$(q -e 'folder d = dir.get' -e 'd.files')
for name in 'αβγ.txt' '漢字.txt' '🙂.txt' '\a.txt' 'ａ.txt' 'Ελλάδα\'; do
  contains "d.files lists $name" "$name" "$out"
done
out=$(printf '0\n' | q -e 'dir.sel')
contains "dir.sel lists a Greek folder" "[Ελλάδα]" "$out"
contains "dir.sel lists an emoji name" " - 🙂.txt" "$out"

# Copied, renamed, printed.
out=$(q -e 'folder d = dir.get' \
  -e 'file g = d + "αβγ.txt"' -e 'g.copy("αβγ κόπια.txt")' \
  -e 'file c = d + "漢字.txt"' -e 'c.rename("漢字二.txt")' \
  -e 'file e = d + "🙂.txt"' -e 'e.copy("🙂🙂.txt")' \
  -e 'folder f = d + "\Ελλάδα\"' -e 'f.copy("Ελλάδα 🙂")' \
  -e 'print(g.name, c.name, e.ext)'); code=${PIPESTATUS[0]}
check "the names print as UTF-8 into a pipe" "αβγ.txt 漢字二.txt txt" "$out"
check "and quenda exits with 0" 0 "$code"
check "a Greek name is copied" "αβγ.txt" "$(cat "$work/files/αβγ κόπια.txt" 2>&1)"
check "a CJK name is renamed" "漢字.txt" "$(cat "$work/files/漢字二.txt" 2>&1)"
check "the old CJK name is gone" "no" "$([ -e "$work/files/漢字.txt" ] && echo yes || echo no)"
check "an emoji name is copied" "🙂.txt" "$(cat "$work/files/🙂🙂.txt" 2>&1)"
check "a folder tree with such names is copied" "Ελλάδα/ώρα.txt" \
  "$(cat "$work/files/Ελλάδα 🙂/ώρα.txt" 2>&1)"

# Deleting a.txt deletes a.txt: the fullwidth ａ is another file.
q -e 'folder d = dir.get' -e 'file a = d + "a.txt"' -e 'a.rem' >/dev/null
check "a.txt is deleted" "no" "$([ -e "$work/files/a.txt" ] && echo yes || echo no)"
check "the fullwidth ａ.txt stays" "ａ.txt" "$(cat "$work/files/ａ.txt" 2>&1)"

# Into a file: the bytes as they are.
q -e 'print("Ωμέγα 中文 🙂")' >"$work/out.txt"
check "a redirected file holds the UTF-8 bytes" "$(printf 'Ωμέγα 中文 🙂\n' | od -An -tx1)" \
  "$(tr -d '\r' <"$work/out.txt" | od -An -tx1)"

# On a terminal: the console shows the letters (colour markup around them as well).
if command -v script >/dev/null; then
  out=$(cd "$work/files" && timeout 120 script -qec \
    "'$here/run-wine' '$quenda' -e 'print(\"\$cyan\$Ωμέγα\$n\$ 中文\")'" /dev/null | tr -d '\r')
  contains "a terminal shows Greek" "Ωμέγα" "$out"
  contains "a terminal shows CJK" "中文" "$out"
else
  echo "skip the terminal checks: no script(1)"
fi

finish "names_e2e"
