# Shared steps of scripts/test and scripts/run: packages, build trees, the
# private Wine prefix. Sourced, not run.

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
native_dir="$root/build/native"
windows_dir="$root/build/windows"
wine_prefix="$windows_dir/wineprefix"
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver64

packages=(cmake ninja-build g++ googletest libbenchmark-dev g++-mingw-w64-x86-64-posix
          wine64 xvfb xauth x11-apps imagemagick fonts-dejavu-core fonts-wine fonts-liberation
          clang libclang-rt-14-dev zip)

log() { printf '== %s\n' "$*" >&2; }

install_packages() {
  local missing=()
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  log "installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
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

build_windows() {
  cmake -S "$root" -B "$windows_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
  cmake --build "$windows_dir" -- -j2
}

wine_env() {
  export WINEPREFIX="$wine_prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=C.UTF-8
}

# The prefix of the build tree, made once: fonts that the windows name are
# linked in or mapped to the Liberation faces, and every program shares one
# virtual desktop so that the fader and the chat client see each other.
prepare_prefix() {
  wine_env
  [ -f "$wine_prefix/.quillon-ready" ] && return 0
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
