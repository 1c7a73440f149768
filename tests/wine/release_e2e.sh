#!/usr/bin/env bash
# The release zip as a user gets it: made afresh from the build with cpack, unpacked into a new
# folder whose path holds blanks and a non-ASCII letter, far from the build tree, and the tour run
# from there under Wine.
#   release_e2e.sh CPACK BUILD_DIR VERSION
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../.." && pwd)
build=$(realpath "$2")
version=$3
source "$here/wine_session.sh"
# Wine keeps a non-ASCII file name on the Linux side only under a UTF-8 locale.
if [ "$(locale charmap 2>/dev/null)" != "UTF-8" ]; then export LC_ALL=C.UTF-8; fi
e2e_begin

name="zorvel-$version-win32"
zip="$work/made/$name.zip"
"$1" --config "$build/CPackConfig.cmake" -B "$work/made" >"$work/cpack.log" 2>&1 || cat "$work/cpack.log"
[ -f "$zip" ] || { check "cpack makes $name.zip" yes no; finish "release zip"; exit; }

expected=$(
  printf '%s\n' quenda.exe zorvel.dll README.txt docs/scripting.md
  (cd "$root" && find examples -type f)
)
check "the zip holds the host, the plug-in, the README, the guide and the examples" \
  "$(sed "s|^|$name/|" <<<"$expected" | sort)" "$(cmake -E tar tf "$zip" | grep -v '/$' | sort)"

place="$work/Zorvel release é"
mkdir -p "$place"
(cd "$place" && cmake -E tar xf "$zip")
quenda=./quenda.exe
q() { quenda_in "$place/$name" "$@"; }

check "quenda --version names the zip's version" "quenda $version" "$(q --version)"
out=$(q 'examples\tour.qs')
check "the tour runs from the unpacked folder" 0 "$?"
contains "to its last line" "The tour is over" "$out"
check "without an error" "" "$(tr -d '\r' <"$work/err")"
# The host prints names in the process's code page: UTF-8, or the ANSI page Wine gives a C.UTF-8
# locale (1252).
here_line=$(grep -a '^here:' <<<"$out" | iconv -f CP1252 -t UTF-8 2>/dev/null)
[[ $out == *"Zorvel release é"* ]] && here_line=$(grep -a '^here:' <<<"$out")
contains "and sees its folder's name whole" "Zorvel release é\\$name\\" "$here_line"

finish "release zip"
