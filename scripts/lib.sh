# Sourced by ./test, ./run, .ci/run and bench/run: the builds, the display and Wine.
# Expects $root to be the repository root.

build="$root/build"
source "$root/scripts/wine-env"
# Paths relative to the checkout, so that a fresh clone elsewhere (CI) still hits the cache.
export CCACHE_BASEDIR="$root" CCACHE_NOHASHDIR=1

# vx_configure DIR CMAKE-ARGS...: configures once; later calls let the build re-run CMake itself.
vx_configure() {
  local dir=$1
  shift
  if [ ! -f "$dir/build.ninja" ]; then
    mkdir -p "$dir"
    cmake -S "$root" -B "$dir" -G Ninja \
      -DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache "$@" \
      >"$dir/configure.log" 2>&1 || { tail -n 30 "$dir/configure.log"; return 1; }
  fi
}

# vx_build DIR [TARGET...]: quiet unless it fails.
vx_build() {
  local dir=$1
  shift
  local targets=()
  for t in "$@"; do targets+=(--target "$t"); done
  cmake --build "$dir" "${targets[@]}" >"$dir/build.log" 2>&1 ||
    { grep -E 'error|Error' "$dir/build.log" | head -n 40; tail -n 5 "$dir/build.log"; return 1; }
}

vx_configure_native() { vx_configure "$build/native" -DVX_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug; }
vx_configure_win64() {
  vx_configure "$build/win64" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" -DCMAKE_BUILD_TYPE=RelWithDebInfo
}
vx_configure_win32() {
  vx_configure "$build/win32" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" -DCMAKE_BUILD_TYPE=RelWithDebInfo
}
vx_configure_fuzz() {
  CC=clang CXX=clang++ vx_configure "$build/fuzz" -DVX_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo
}

# A Wine prefix with Wine's own fonts: without them Tahoma and Marlett fall back to other faces.
vx_wine_prefix() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    wineboot -i </dev/null >"$build/wineboot.log" 2>&1 || { tail -n 20 "$build/wineboot.log"; return 1; }
  fi
  # A crashing program ends at once instead of waiting behind Wine's crash dialog until the test
  # times out.
  if ! grep -q ShowCrashDialog "$WINEPREFIX/user.reg" 2>/dev/null; then
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
      >>"$build/wineboot.log" 2>&1 || { tail -n 20 "$build/wineboot.log"; return 1; }
  fi
  local fonts="$WINEPREFIX/drive_c/windows/Fonts"
  if [ ! -f "$fonts/tahoma.ttf" ]; then
    mkdir -p "$fonts"
    cp /usr/share/wine/fonts/*.ttf "$fonts/"
  fi
}

vx_started_xvfb=""
vx_started_wineserver=""

# Uses $DISPLAY when it answers; otherwise starts Xvfb on a free display number.
vx_start_display() {
  if [ -n "${DISPLAY:-}" ] && vx_display_answers; then return 0; fi
  local n=90
  while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp </dev/null >"$build/xvfb.log" 2>&1 &
  vx_started_xvfb=$!
  export DISPLAY=":$n"
  for _ in $(seq 50); do
    [ -e "/tmp/.X11-unix/X$n" ] && return 0
    sleep 0.1
  done
  echo "Xvfb did not start; see $build/xvfb.log" >&2
  return 1
}

vx_display_answers() {
  local n=${DISPLAY#:}
  n=${n%%.*}
  [ -e "/tmp/.X11-unix/X$n" ]
}

# The first Wine process also starts Wine's background services, which inherit its output; run
# it here with output to a file, so that no service holds a test runner's pipe open.
vx_start_wineserver() {
  # A server belongs to one prefix; -p refuses (non-zero) when this prefix already has one.
  if wineserver -p </dev/null >"$build/wineserver.log" 2>&1; then
    vx_started_wineserver=1
  fi
  wine cmd /c exit </dev/null >>"$build/wineserver.log" 2>&1
}

# Stops only what this script started.
vx_stop_services() {
  if [ -n "$vx_started_wineserver" ]; then wineserver -k </dev/null >/dev/null 2>&1 || true; fi
  if [ -n "$vx_started_xvfb" ]; then
    kill "$vx_started_xvfb" 2>/dev/null || true
    wait "$vx_started_xvfb" 2>/dev/null || true
  fi
}
