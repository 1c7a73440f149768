#!/usr/bin/env bash
# The built files as Windows reads them, without running them: the plug-in exports exactly its
# five names, undecorated, and each file carries the project's version in its version resource.
#   built_files.sh VERSION ZORVEL_DLL [QUENDA_EXE]
set -uo pipefail
version=$1
shift
status=0
names=$(i686-w64-mingw32-objdump -p "$1" |
  awk '/\[Ordinal\/Name Pointer\] Table/{t=1;next} t&&/^[ \t]*\[/{print $NF} t&&/^$/{exit}' | sort)
if [ "$names" != "$(printf '%s\n' DllMain FileClass FolderClass InitLibrary QuendaGetFunctions)" ]
then
  echo "exports differ:" $names
  status=1
fi
for file in "$@"; do
  resource=$(i686-w64-mingw32-windres -i "$file" -O rc)
  for line in "FILEVERSION ${version//./, }, 0" "VALUE \"FileVersion\", \"$version\"" \
    "VALUE \"OriginalFilename\", \"$(basename "$file")\""; do
    if [[ $resource != *"$line"* ]]; then
      echo "$(basename "$file") lacks: $line"
      status=1
    fi
  done
done
exit $status
