# Sourced by run-wine and run-wine64, with WINEPREFIX set.
#
# start_wine_session SERVER LOADER: makes sure a persistent Wine server runs for the prefix, so
# that each Wine start costs tens of milliseconds, not half a second. The first program of a new
# server starts the prefix's services, which live as long as the server and keep that program's
# standard handles: a quiet program of our own goes first, or a caller reading a test's output
# through a pipe would wait for the services to end, which is never. A lock keeps programs started
# at the same moment from slipping in before it.

# Wine keeps names beyond ASCII on the Linux side only under a UTF-8 locale: without one,
# CreateFileW of such a name fails with ERROR_FILE_NOT_FOUND. One is set when none is.
if [ -z "${LC_ALL:-}${LC_CTYPE:-}${LANG:-}" ]; then export LANG=C.UTF-8; fi

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
