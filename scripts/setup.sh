# Shared by ./test and ./quenda: installs what the project needs from Debian's archive, only what
# is absent, and keeps Wine's servers warm.

source "$(dirname "${BASH_SOURCE[0]}")/machine.sh"

# Every machine: the native build (-m32), both Windows cross compilers, 64-bit Wine for the seam's
# x86_64 contract tests, and a virtual display for Wine's windows.
zv_packages=(cmake ninja-build g++ g++-multilib g++-mingw-w64-i686 g++-mingw-w64-x86-64 googletest
             wine wine64 xvfb xauth xdotool)
# By what probe_i386 found: 32-bit Wine where the kernel runs 32-bit programs, qemu-user for the
# native test programs where it does not.
zv_packages_native=(wine32:i386)
zv_packages_emulated=(qemu-user)

# ensure_packages: installs what this kind of machine needs (probe_i386 must have run).
ensure_packages() {
  local missing=() wanted=("${zv_packages[@]}")
  if [ "${zv_i386:-}" = native ]; then
    wanted+=("${zv_packages_native[@]}")
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
      echo "setup: adding the i386 architecture (for wine32)"
      dpkg --add-architecture i386 || return 1
    fi
  else
    wanted+=("${zv_packages_emulated[@]}")
  fi
  for p in "${wanted[@]}"; do
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
    wineserver -w  # the prefix is written out when its server ends
  fi
  # The persistent server (see tests/wine/wine_session.sh).
  "$root/tests/wine/run-wine" cmd /c exit </dev/null >/dev/null 2>&1
  return 0
}

stop_wine() {
  wineserver -k >/dev/null 2>&1 || true
}

# The 64-bit prefix (build/wineprefix64) for the x86_64 contract tests, through the 64-bit loader:
# Wine's own launchers prefer the 32-bit one, which cannot start where the kernel refuses 32-bit
# programs.
zv_prefix64() { echo "${ZV_WINEPREFIX64:-$root/build/wineprefix64}"; }

start_wine64() {
  local prefix
  prefix=$(zv_prefix64)
  mkdir -p "$prefix"
  if [ ! -f "$prefix/system.reg" ]; then
    echo "setup: creating the 64-bit Wine prefix (first start takes a while)"
    WINEPREFIX="$prefix" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
      /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1
    WINEPREFIX="$prefix" /usr/lib/wine/wineserver64 -w
  fi
  ZV_WINEPREFIX64="$prefix" "$root/tests/wine/run-wine64" cmd /c exit </dev/null >/dev/null 2>&1
  return 0
}

stop_wine64() {
  WINEPREFIX="$(zv_prefix64)" /usr/lib/wine/wineserver64 -k >/dev/null 2>&1 || true
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
