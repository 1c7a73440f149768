# Shared by ./test and ./quenda (sourced through scripts/setup.sh): can this machine run 32-bit
# programs, and where it cannot, how the native test programs run there through qemu-i386.
#
# Some kernels refuse 32-bit programs (32-bit emulation switched off). There 32-bit Wine cannot
# start, so neither can quenda.exe with zorvel.dll; the native test programs (-m32) run under
# qemu-user instead, without AddressSanitizer, whose programs hang under user-mode emulation.
#
# ZV_PRETEND_NO_I386=1 makes the probe answer "no" on a machine that can, to imitate the other
# kind. Only the project's scripts read it. The imitation sends 32-bit programs to qemu through a
# binfmt_misc of a private user and mount namespace (Linux 6.7 or later), which only the test
# programs see: it never registers a handler for the whole machine, where the other 32-bit
# programs (32-bit Wine among them) would go through qemu too.

# The probe: a 32-bit Linux program of 114 bytes that asks the kernel for the machine's name
# (uname) and exits with its first letter: "x" (x86_64) from a 64-bit kernel, "i" (i686) from a
# 32-bit kernel, from qemu-i386, or under a 32-bit personality.
zv_i386_elf_header='\x7f\x45\x4c\x46\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
zv_i386_probe_bytes=(
  # ELF header: 32-bit, little-endian, an executable for the 386, entry 0x08048054, one segment
  "$zv_i386_elf_header"
  '\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00'
  '\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00'
  # the one segment: the whole file, loaded at 0x08048000, readable and executable
  '\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08'
  '\x72\x00\x00\x00\x72\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00'
  '\x81\xec\x90\x01\x00\x00'         # sub esp, 400            room for struct new_utsname
  '\x89\xe3'                         # mov ebx, esp
  '\xb8\x7a\x00\x00\x00'             # mov eax, 122            uname
  '\xcd\x80'                         # int 0x80
  '\x0f\xb6\x9c\x24\x04\x01\x00\x00' # movzx ebx, byte [esp+260]  machine[0]
  '\xb8\x01\x00\x00\x00'             # mov eax, 1              exit
  '\xcd\x80'                         # int 0x80
)
# The binfmt_misc mask for 386 programs: any OS ABI byte, an executable or a shared object.
zv_i386_mask='\xff\xff\xff\xff\xff\xff\xff\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'

zv_i386_probe_file() {
  local file="$root/build/i386-probe"
  if [ ! -x "$file" ]; then
    mkdir -p "$root/build"
    printf '%b' "${zv_i386_probe_bytes[@]}" >"$file.new" && chmod +x "$file.new" &&
      mv "$file.new" "$file"
  fi
  echo "$file"
}

# Prints the name of an enabled binfmt_misc handler of this process's instance that takes 386
# programs, as the kernel matches them: (header & mask) == (magic & mask).
zv_i386_handler() {
  local dir=/proc/sys/fs/binfmt_misc entry magic mask i header
  [ "$(cat "$dir/status" 2>/dev/null)" = enabled ] || return 1
  header=$(printf '%b' "$zv_i386_elf_header" | od -An -tx1 | tr -d ' \n')
  for entry in "$dir"/*; do
    case ${entry##*/} in register | status) continue ;; esac
    grep -qx enabled "$entry" 2>/dev/null || continue
    [ "$(sed -n 's/^offset //p' "$entry")" = 0 ] || continue
    magic=$(sed -n 's/^magic //p' "$entry" | tr -d ' ')
    mask=$(sed -n 's/^mask //p' "$entry" | tr -d ' ')
    [ -n "$magic" ] && [ ${#magic} -le ${#header} ] || continue
    [ -n "$mask" ] || mask=$(printf 'f%.0s' $(seq ${#magic}))
    for ((i = 0; i < ${#magic}; i += 2)); do
      (((0x${header:i:2} & 0x${mask:i:2}) == (0x${magic:i:2} & 0x${mask:i:2}))) || continue 2
    done
    echo "${entry##*/}"
    return 0
  done
  return 1
}

# probe_i386: sets zv_i386 to
#   native    the kernel runs 32-bit programs itself;
#   emulated  a binfmt_misc handler (qemu) runs them, under which 32-bit Wine does not start;
#   none      they do not start at all;
# and zv_i386_reason to one line that says why. Succeeds only for "native".
probe_i386() {
  local probe code handler
  if [ "${ZV_PRETEND_NO_I386:-}" = 1 ]; then
    zv_i386=none
    zv_i386_reason="the kernel refuses 32-bit programs (imitated: ZV_PRETEND_NO_I386=1)"
    return 1
  fi
  probe=$(zv_i386_probe_file)
  "$probe" 2>/dev/null
  code=$?
  if [ $code -ne 120 ] && [ $code -ne 105 ]; then
    zv_i386=none
    zv_i386_reason="the kernel refuses 32-bit programs (a 32-bit probe did not start)"
    return 1
  fi
  if [ $code -eq 105 ] && handler=$(zv_i386_handler); then
    zv_i386=emulated
    zv_i386_reason="32-bit programs go through an emulator here (binfmt_misc handler $handler)"
    return 1
  fi
  zv_i386=native
  zv_i386_reason="the kernel runs 32-bit programs"
}

# with_qemu_i386 COMMAND...: runs the command with every 32-bit program it starts run by
# qemu-i386. The handler lives in a binfmt_misc of a private user and mount namespace, seen by
# nothing else; where the kernel offers none (before Linux 6.7) and it truly refuses 32-bit
# programs, the handler is registered for the whole machine and stays (nothing 32-bit could run
# there without it). A handler the machine already has is used as it is.
with_qemu_i386() {
  local qemu registration probe
  if [ "${zv_i386:-}" = emulated ]; then
    "$@"
    return
  fi
  qemu=$(command -v qemu-i386) || {
    echo "setup: qemu-i386 is missing (Debian package qemu-user)"
    return 1
  }
  registration=":zorvel-qemu-i386:M::$zv_i386_elf_header:$zv_i386_mask:$qemu:"
  probe=$(zv_i386_probe_file)
  if zv_in_private_binfmt "$registration" "$probe" 2>/dev/null; [ $? -eq 105 ]; then
    echo "setup: 32-bit programs of this run go through $qemu (binfmt_misc of a private namespace)"
    zv_in_private_binfmt "$registration" "$@"
    return
  fi
  if [ "${ZV_PRETEND_NO_I386:-}" = 1 ]; then
    echo "setup: cannot imitate a machine without 32-bit programs here: the kernel offers no"
    echo "       binfmt_misc of a private namespace (Linux 6.7 or later), and a handler for the"
    echo "       whole machine would send every 32-bit program on it through qemu"
    return 1
  fi
  if ! zv_i386_handler >/dev/null; then
    echo "setup: registering qemu-i386 for 32-bit programs (binfmt_misc, until the next boot)"
    if [ ! -e /proc/sys/fs/binfmt_misc/register ]; then
      mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc || return 1
    fi
    printf '%s' "$registration" >/proc/sys/fs/binfmt_misc/register || return 1
  fi
  "$@"
}

# zv_in_private_binfmt REGISTRATION COMMAND...: runs the command in a new user and mount
# namespace with a binfmt_misc instance of its own that holds the one registration.
zv_in_private_binfmt() {
  unshare --user --map-root-user --mount -- bash -c '
    mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc || exit 125
    printf "%s" "$1" >/proc/sys/fs/binfmt_misc/register || exit 125
    shift
    exec "$@"' zv-binfmt "$@"
}
