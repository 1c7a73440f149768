#!/usr/bin/env bash
# The DLL exports exactly its five names, undecorated.
set -euo pipefail
dll=$1
dump=$(i686-w64-mingw32-objdump -p "$dll")
names=$(awk '/\[Ordinal\/Name Pointer\] Table/{t=1;next} t&&/^[ \t]*\[/{print $NF} t&&/^$/{exit}' <<<"$dump" | sort)
expected=$(printf '%s\n' DllMain FileClass FolderClass InitLibrary QuendaGetFunctions | sort)
if [ "$names" != "$expected" ]; then
  echo "exports differ:"; echo "$names"; exit 1
fi
echo "exports: $(echo $names)"
