# Shared by ./test and ./quenda: installs what the project needs from Debian's archive, only what
# is absent, and keeps Wine's server warm.

zv_packages=(cmake ninja-build g++ g++-multilib g++-mingw-w64-i686 googletest wine wine32:i386
             xvfb xauth xdotool)

ensure_packages() {
  local missing=()
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    echo "setup: adding the i386 architecture (for wine32)"
    dpkg --add-architecture i386 || return 1
    zv_apt_updated=""
  fi
  for p in "${zv_packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq || return 1
  apt-get install -y -qq "${missing[@]}" >/dev/null || return 1
}

start_wine() {
  export WINEDEBUG=-all
  export WINEPREFIX="${WINEPREFIX:-$root/build/wineprefix}"
  # With 64-bit Wine installed too, a new prefix would be 64-bit; ours runs 32-bit programs.
  export WINEARCH=win32
  mkdir -p "$WINEPREFIX"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "setup: creating the Wine prefix (first start takes a while)"
    WINEDLLOVERRIDES="mscoree,mshtml=" wineboot -i >/dev/null 2>&1
  fi
  # A persistent server makes each Wine start cost tens of milliseconds, not half a second.
  wineserver -p >/dev/null 2>&1 &
  return 0
}

stop_wine() {
  wineserver -k >/dev/null 2>&1 || true
}

# Windows and dialogs under Wine need a display: the tests get a virtual one when there is none.
# Only for test runs: an interactive host must not show its dialogs where nobody can see them.
start_display() {
  [ -n "${DISPLAY:-}" ] && return 0
  command -v Xvfb >/dev/null || return 0
  local n=90
  while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  zv_xvfb_pid=$!
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
  export DISPLAY=":$n"
}

stop_display() {
  if [ -n "${zv_xvfb_pid:-}" ]; then
    kill "$zv_xvfb_pid" 2>/dev/null || true
    unset DISPLAY zv_xvfb_pid
  fi
}
