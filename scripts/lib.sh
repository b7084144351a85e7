# Shared steps of scripts/test and scripts/run: packages, build trees, the
# private Wine prefixes. Sourced, not run.

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
native_dir="$root/build/native"
# The core once more as 32-bit x87 code, as the 32-bit program computes.
native32_dir="$root/build/native32"
# The 64-bit program, and the 32-bit one that is the download for every
# Windows from XP on. Each tree runs its tests in a Wine prefix of its own.
windows_dir="$root/build/windows"
windows32_dir="$root/build/windows32"
wine_prefix="$windows_dir/wineprefix"
wine=/usr/lib/wine/wine64
wine32_loader=/usr/lib/wine/wine
wineserver=/usr/lib/wine/wineserver64

source "$root/scripts/packages.sh"
# Set by probe_32bit_side, and handed down to the scripts it starts.
x86_32=${QUILLON_X86_32:-} wine32=${QUILLON_WINE32:-none}

# What scripts/run needs to build the program and run it under Wine, and what
# scripts/test needs on top (see packages.sh for how a name is written).
run_packages=(cmake ninja-build binutils g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
              binutils-mingw-w64-i686 "wine64|wine" wine32:i386 xvfb xauth x11-apps imagemagick
              fonts-dejavu-core fonts-wine fonts-liberation)
test_packages=(g++ g++-multilib googletest libbenchmark-dev libbenchmark-dev:i386 clang
               "libclang-rt-dev|libclang-rt-14-dev" zip unzip e2fsprogs icoutils)
# Runs 32-bit programs where the kernel does not.
emulator_packages=("qemu-user-static|qemu-user")

# How this machine runs a 32-bit x86 program: native, emulated (through
# qemu-i386, registered with binfmt_misc) or none. A tiny program built
# with binutils alone tells: it prints the machine uname reports to it,
# the kernel's own (x86_64) natively, the emulated one (i686) under qemu.
probe_x86_32() {
  local dir machine=""
  dir=$(mktemp -d)
  if as --32 -o "$dir/probe.o" "$root/scripts/x86-32-probe.s" 2>/dev/null &&
     ld -m elf_i386 -o "$dir/probe" "$dir/probe.o" 2>/dev/null; then
    machine=$("$dir/probe" 2>/dev/null)
  fi
  rm -rf "$dir"
  if [ -z "$machine" ]; then echo none
  elif [ "$machine" = "$(uname -m)" ]; then echo native
  else echo emulated
  fi
}

# The user-mode emulator for 32-bit x86 programs, if installed; a static one
# where there is one, as binfmt_misc's fixed interpreter needs.
x86_32_emulator() {
  command -v qemu-i386-static || command -v qemu-i386
}

binfmt=/proc/sys/fs/binfmt_misc
binfmt_entry=$binfmt/quillon-i386

# Registers the emulator for i386 ELF programs (as root), so that 32-bit
# Wine runs here, slowly. The registration lasts until the next boot.
enable_x86_32_emulation() {
  local emulator
  emulator=$(x86_32_emulator) || return 1
  [ -e "$binfmt/register" ] || mount -t binfmt_misc binfmt_misc "$binfmt" 2>/dev/null || return 1
  if [ -e "$binfmt_entry" ]; then
    echo 1 >"$binfmt_entry"
  else
    printf '%s' ":quillon-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:$emulator:F" \
      >"$binfmt/register" 2>/dev/null || return 1
  fi
}

# Runs a command with the emulator's registration switched off, where it is
# ours: a 64-bit prefix made meanwhile gets no 32-bit side, in seconds
# instead of minutes.
without_x86_32_emulation() {
  local was_on=0 rc
  [ -e "$binfmt_entry" ] && grep -qx enabled "$binfmt_entry" && was_on=1
  [ $was_on = 1 ] && echo 0 >"$binfmt_entry"
  "$@"
  rc=$?
  [ $was_on = 1 ] && echo 1 >"$binfmt_entry"
  return $rc
}

# Sets x86_32 (how 32-bit programs run here) and wine32 (how 32-bit Wine's
# loader runs: native, emulated or none). Where the kernel runs no 32-bit
# program and we are root, registers the emulator first.
probe_32bit_side() {
  x86_32=$(probe_x86_32)
  if [ "$x86_32" = none ] && [ "$(id -u)" = 0 ] && x86_32_emulator >/dev/null; then
    enable_x86_32_emulation && x86_32=$(probe_x86_32)
  fi
  wine32=none
  if [ "$x86_32" != none ] && [ -x "$wine32_loader" ] && "$wine32_loader" --version >/dev/null 2>&1; then
    wine32=$x86_32
  fi
  export QUILLON_X86_32=$x86_32 QUILLON_WINE32=$wine32
}

# Whether this CPU runs code built with -march=x86-64-v3 (FMA, AVX2 and the rest).
cpu_has_x86_64_v3() {
  local flag
  for flag in avx avx2 bmi1 bmi2 f16c fma abm movbe xsave; do
    grep -qw "$flag" /proc/cpuinfo 2>/dev/null || return 1
  done
}

# The fade's tests built for an FMA CPU are built, and so run, only on one.
# A tree configured without GoogleTest has no tests: that fails here, with
# the reason, rather than later as a run of nothing.
build_native() {
  local fma_tests=OFF configured
  cpu_has_x86_64_v3 && fma_tests=ON
  configured=$(cmake -S "$root" -B "$native_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUILLON_FUZZ=ON \
                 -DQUILLON_FMA_TESTS=$fma_tests 2>&1) || { echo "$configured" >&2; return 1; }
  if grep -q "the tests are off" <<<"$configured"; then
    log "GoogleTest is missing (Debian's googletest package, which scripts/test installs as root): no test can be built"
    return 1
  fi
  cmake --build "$native_dir" -- -j2
}

# The core's tests and benchmarks as 32-bit code with x87 arithmetic; where
# the kernel runs no 32-bit program, its tests run under qemu-i386, which
# emulates the x87 unit with its precision control.
build_native32() {
  local emulator=""
  [ "$x86_32" = native ] || emulator=$(x86_32_emulator) || {
    log "no emulator for 32-bit programs (qemu-user): the 32-bit x87 core cannot be tested here"; return 1; }
  cmake -S "$root" -B "$native32_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/linux-i686-x87.cmake" -DQUILLON_X86_32_EMULATOR="$emulator" >/dev/null
  cmake --build "$native32_dir" -- -j2
}

# build_windows [64|32]: one Windows tree; each knows the other, whose
# programs its cross-bitness tests start.
# Where its programs run emulated, the 32-bit tree's tests get four times
# their time limits.
build_windows() {
  local bits=${1:-64} dir=$windows_dir peer=$windows32_dir toolchain=mingw-w64-x86_64 factor=1
  if [ "$bits" = 32 ]; then dir=$windows32_dir peer=$windows_dir toolchain=mingw-w64-i686; fi
  [ "$bits" = 32 ] && [ "$wine32" = emulated ] && factor=4
  cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/$toolchain.cmake" -DQUILLON_PEER_TREE="$peer" \
    -DQUILLON_TEST_TIMEOUT_FACTOR=$factor >/dev/null
  cmake --build "$dir" -- -j2
}

# use_tree 64|32: the tree whose prefix wine_env, prepare_prefix and the
# server functions work on, and $wine_loader, the loader of its programs
# (64-bit Wine alone "runs" a 32-bit program: it crashes, with status 0).
wine_loader=$wine
use_tree() {
  if [ "$1" = 32 ]; then
    wine_prefix="$windows32_dir/wineprefix" wine_loader=$wine32_loader
  else
    wine_prefix="$windows_dir/wineprefix" wine_loader=$wine
  fi
}

wine_env() {
  export WINEPREFIX="$wine_prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=C.UTF-8
}

# Whether the prefix has a working 32-bit side: a prefix made while 32-bit
# Wine could not start has an empty syswow64.
prefix_has_32bit_side() {
  [ -f "$wine_prefix/drive_c/windows/syswow64/kernel32.dll" ]
}

# The prefix of the build tree, made once: fonts that the windows name are
# linked in or mapped to the Liberation faces, and every program shares one
# virtual desktop so that the fader and the chat client see each other. The
# 32-bit tree's prefix needs a 32-bit side; the 64-bit tree's one only where
# 32-bit programs run natively (its cross-bitness tests start them), and
# where they could only be emulated it is made without one, in seconds.
prepare_prefix() {
  local bits=$1 want32=0
  wine_env
  # A settings test that was stopped half-way may have left these immutable.
  chattr -i "$wine_prefix/drive_c" "$wine_prefix/drive_c/myini.ini" 2>/dev/null || true
  { [ "$bits" = 32 ] || [ "$wine32" = native ]; } && want32=1
  if [ -f "$wine_prefix/.quillon-ready" ]; then
    if [ $want32 = 0 ] || prefix_has_32bit_side; then return 0; fi
    if [ "$wine32" = none ]; then
      log "the prefix $wine_prefix has no 32-bit side, and 32-bit Wine cannot start here"
      return 1
    fi
  fi
  log "making the Wine prefix $wine_prefix"
  rm -rf "$wine_prefix"
  if [ $want32 = 0 ]; then without_x86_32_emulation make_prefix; else make_prefix; fi
  if [ $want32 = 1 ] && ! prefix_has_32bit_side; then
    log "the prefix $wine_prefix was made without a working 32-bit side"
    return 1
  fi
  touch "$wine_prefix/.quillon-ready"
}

make_prefix() {
  "$wine" wineboot -i >/dev/null 2>&1 || true
  "$wineserver" -w
  ln -sf /usr/share/wine/fonts/* "$wine_prefix/drive_c/windows/Fonts/"
  local reg="$wine_prefix/quillon.reg"
  cat > "$reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"Arial"="Liberation Sans"
"Arial Narrow"="Liberation Sans Narrow"
"Times New Roman"="Liberation Serif"
"Courier New"="Liberation Mono"
"Microsoft Sans Serif"="Liberation Sans"

[HKEY_CURRENT_USER\Software\Wine\Explorer]
"Desktop"="Default"

[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]
"Default"="1024x768"
REG
  "$wine" regedit /S "$reg" >/dev/null 2>&1
  "$wineserver" -w
}

# Starts the server detached from our pipes, so that test processes cost
# a fraction of a second each instead of seconds.
start_wineserver() {
  wine_env
  "$wineserver" -p </dev/null >/dev/null 2>&1
  "$wine" wineboot </dev/null >/dev/null 2>&1 || true
}

stop_wineserver() {
  wine_env
  "$wineserver" -k 2>/dev/null || true
}
