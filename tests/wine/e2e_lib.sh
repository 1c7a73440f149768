# Shared by the end-to-end scripts: the prefix, the checks and the count of failures.
# Sourced after the script has set `here` (its own folder).
root=$(cd "$here/../.." && pwd)
export WINEPREFIX="${WINEPREFIX:-$root/build/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"

failures=0
check() {  # check NAME EXPECTED ACTUAL
  if [ "$2" == "$3" ]; then
    echo "ok   $1"
  else
    echo "FAIL $1"
    echo "     expected: $(printf '%q' "$2")"
    echo "     actual:   $(printf '%q' "$3")"
    failures=$((failures + 1))
  fi
}
contains() {  # contains NAME NEEDLE HAYSTACK
  if [[ "$3" == *"$2"* ]]; then
    echo "ok   $1"
  else
    echo "FAIL $1"
    echo "     missing:  $(printf '%q' "$2")"
    echo "     in:       $(printf '%q' "$3")"
    failures=$((failures + 1))
  fi
}
finish() {  # finish WHAT: says how it went, with the exit code to match
  if [ $failures -eq 0 ]; then echo "$1: all passed"; else echo "$1: $failures failed"; fi
  [ $failures -eq 0 ]
}
