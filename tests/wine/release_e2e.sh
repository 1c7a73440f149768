#!/usr/bin/env bash
# The release zip as a user gets it: made afresh from the build with cpack, unpacked into a new
# folder whose path holds blanks and a non-ASCII letter, far from the build tree, and the tour run
# from there under Wine.
#   release_e2e.sh CPACK BUILD_DIR VERSION
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
cpack=$1
build=$(realpath "$2")
version=$3
source "$here/e2e_lib.sh"

# Wine keeps a non-ASCII file name on the Linux side only under a UTF-8 locale.
if [ "$(locale charmap 2>/dev/null)" != "UTF-8" ]; then export LC_ALL=C.UTF-8; fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

name="zorvel-$version-win32"
"$cpack" --config "$build/CPackConfig.cmake" -B "$work/made" >"$work/cpack.log" 2>&1 ||
  cat "$work/cpack.log"
zip="$work/made/$name.zip"
check "cpack makes $name.zip" "yes" "$([ -f "$zip" ] && echo yes || echo no)"
[ -f "$zip" ] || { finish "release zip"; exit 1; }

expected=$(
  printf '%s\n' quenda.exe zorvel.dll README.txt docs/scripting.md
  (cd "$root" && find examples -type f)
)
listed=$(cmake -E tar tf "$zip" 2>/dev/null | grep -v '/$')
check "the zip holds the host, the plug-in, the README, the guide and the examples" \
  "$(sed "s|^|$name/|" <<<"$expected" | sort)" "$(sort <<<"$listed")"

place="$work/Zorvel release é"
mkdir -p "$place"
(cd "$place" && cmake -E tar xf "$zip")
unpacked="$place/$name"

q() { (cd "$unpacked" && timeout 120 "$here/run-wine" ./quenda.exe "$@" 2>"$work/err" | tr -d '\r'); }

out=$(q --version)
check "quenda --version names the zip's version" "quenda $version" "$out"

out=$(q 'examples\tour.qs'); code=$?
check "the tour runs from the unpacked folder" 0 "$code"
contains "to its last line" "The tour is over" "$out"
check "without an error" "" "$(tr -d '\r' <"$work/err")"
# The host prints names in the process's code page: UTF-8, or the ANSI page Wine gives a C.UTF-8
# locale (1252).
here_line=$(grep -a '^here:' <<<"$out" | iconv -f CP1252 -t UTF-8 2>/dev/null)
[[ $out == *"Zorvel release é"* ]] && here_line=$(grep -a '^here:' <<<"$out")
contains "and sees its folder's name whole" "Zorvel release é\\$name\\" "$here_line"

finish "release zip"
