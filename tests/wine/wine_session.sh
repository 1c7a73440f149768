# Sourced by run-wine and run-wine64 (with WINEPREFIX set) and by the end-to-end scripts.

# Wine keeps names beyond ASCII on the Linux side only under a UTF-8 locale: without one,
# CreateFileW of such a name fails with ERROR_FILE_NOT_FOUND. One is set when none is.
if [ -z "${LC_ALL:-}${LC_CTYPE:-}${LANG:-}" ]; then export LANG=C.UTF-8; fi
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"

# start_wine_session SERVER LOADER: makes sure a persistent Wine server runs for the prefix, so
# that each Wine start costs tens of milliseconds, not half a second. The first program of a new
# server starts the prefix's services, which live as long as the server and keep that program's
# standard handles: a quiet program of our own goes first, or a caller reading a test's output
# through a pipe would wait for the services to end, which is never. A lock keeps programs started
# at the same moment from slipping in before it.
start_wine_session() {
  local server=$1 loader=$2
  mkdir -p "$WINEPREFIX"
  (
    flock 9
    # Neither the server nor the services may hold the lock once started.
    if "$server" -p >/dev/null 2>&1 9>&-; then
      "$loader" cmd /c exit </dev/null >/dev/null 2>&1 9>&-
    fi
  ) 9>>"$WINEPREFIX/.zv-session.lock"
}

# The end-to-end scripts (which set `here` to their folder): a fresh folder, $work, removed at the
# end, and checks that count what failed.
e2e_begin() {
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  failures=0
}
# quenda_in FOLDER ARGS...: $quenda run there; its output without carriage returns, its errors in
# $work/err; the status is quenda's.
quenda_in() {
  local folder=$1
  shift
  (cd "$folder" && timeout 120 "$here/run-wine" "$quenda" "$@" 2>"$work/err") | tr -d '\r'
}
# check NAME EXPECTED ACTUAL; contains NAME PART WHOLE.
check() { verdict "$1" "$2" "$3" "$([ "$2" == "$3" ] && echo same)"; }
contains() { verdict "$1" "$2" "$3" "$([[ "$3" == *"$2"* ]] && echo same)"; }
verdict() {
  if [ -n "$4" ]; then
    echo "ok   $1"
  else
    echo "FAIL $1"
    echo "     expected: $(printf '%q' "$2")"
    echo "     actual:   $(printf '%q' "$3")"
    failures=$((failures + 1))
  fi
}
finish() {  # finish WHAT: says how it went, with the exit code to match
  echo "$1: $failures failed"
  [ $failures -eq 0 ]
}
