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
wine32=/usr/lib/wine/wine
wineserver=/usr/lib/wine/wineserver64

packages=(cmake ninja-build g++ g++-multilib googletest libbenchmark-dev libbenchmark-dev:i386
          g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix binutils-mingw-w64-i686
          wine64 wine32:i386 xvfb xauth x11-apps imagemagick fonts-dejavu-core fonts-wine fonts-liberation
          clang libclang-rt-14-dev zip unzip e2fsprogs icoutils)

log() { printf '== %s\n' "$*" >&2; }

install_packages() {
  local missing=()
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  log "installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  # 32-bit Wine and the 32-bit core's libraries come from the i386 archive.
  dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# Whether this CPU runs code built with -march=x86-64-v3 (FMA, AVX2 and the rest).
cpu_has_x86_64_v3() {
  local flag
  for flag in avx avx2 bmi1 bmi2 f16c fma abm movbe xsave; do
    grep -qw "$flag" /proc/cpuinfo 2>/dev/null || return 1
  done
}

# The fade's tests built for an FMA CPU are built, and so run, only on one.
build_native() {
  local fma_tests=OFF
  cpu_has_x86_64_v3 && fma_tests=ON
  cmake -S "$root" -B "$native_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUILLON_FUZZ=ON \
    -DQUILLON_FMA_TESTS=$fma_tests >/dev/null
  cmake --build "$native_dir" -- -j2
}

# The core's tests and benchmarks as 32-bit code with x87 arithmetic.
build_native32() {
  cmake -S "$root" -B "$native32_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_C_FLAGS=-m32 -DCMAKE_CXX_FLAGS="-m32 -mfpmath=387" \
    -DCMAKE_LIBRARY_ARCHITECTURE=i386-linux-gnu >/dev/null
  cmake --build "$native32_dir" -- -j2
}

# build_windows [64|32]: one Windows tree; each knows the other, whose
# programs its cross-bitness tests start.
build_windows() {
  local bits=${1:-64} dir=$windows_dir peer=$windows32_dir toolchain=mingw-w64-x86_64
  if [ "$bits" = 32 ]; then dir=$windows32_dir peer=$windows_dir toolchain=mingw-w64-i686; fi
  cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/$toolchain.cmake" -DQUILLON_PEER_TREE="$peer" >/dev/null
  cmake --build "$dir" -- -j2
}

# use_tree 64|32: the tree whose prefix wine_env, prepare_prefix and the
# server functions work on, and $wine_loader, the loader of its programs
# (64-bit Wine alone "runs" a 32-bit program: it crashes, with status 0).
wine_loader=$wine
use_tree() {
  if [ "$1" = 32 ]; then
    wine_prefix="$windows32_dir/wineprefix" wine_loader=$wine32
  else
    wine_prefix="$windows_dir/wineprefix" wine_loader=$wine
  fi
}

wine_env() {
  export WINEPREFIX="$wine_prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=C.UTF-8
}

# The prefix of the build tree, made once: fonts that the windows name are
# linked in or mapped to the Liberation faces, and every program shares one
# virtual desktop so that the fader and the chat client see each other.
prepare_prefix() {
  wine_env
  # A settings test that was stopped half-way may have left these immutable.
  chattr -i "$wine_prefix/drive_c" "$wine_prefix/drive_c/myini.ini" 2>/dev/null || true
  # A prefix made before 32-bit Wine was there cannot run 32-bit programs.
  [ -f "$wine_prefix/.quillon-ready" ] && [ -d "$wine_prefix/drive_c/windows/syswow64" ] && return 0
  log "making the Wine prefix $wine_prefix"
  rm -rf "$wine_prefix"
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
  touch "$wine_prefix/.quillon-ready"
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
