#!/usr/bin/env bash
# Installs the build into a fresh prefix, builds the consumer project from a copy in a separate
# folder against that prefix alone, and runs it under Wine on the sample skin. A prefix without
# the package must fail with CMake's own message.
# The consumer's toolchain is a plain MinGW-w64 one, not the project's (whose find root holds the
# libraries cross-built into .cache): what the package needs must come with it.
# Usage: package_test.sh BUILD-DIR ARCH CONSUMER-DIR SKIN-FILE   (ARCH: x86_64 or i686)
set -euo pipefail
build=$1 arch=$2 consumer=$3 skin=$4
root=$(cd "$(dirname "$0")/../.." && pwd)

work=$(mktemp -d /tmp/vexel-package.XXXXXX)
trap 'rm -rf "$work"' EXIT
case "$work" in "$root"/* | "$build"/*) echo "the work folder is inside the tree: $work"; exit 1 ;; esac

step() { printf '== %s\n' "$*"; }
toolchain=$work/mingw.cmake
cat >"$toolchain" <<EOF
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR $arch)
set(CMAKE_C_COMPILER $arch-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER $arch-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER $arch-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/$arch-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
EOF
configure() {  # configure SOURCE BINARY VEXEL_DIR
  cmake -S "$1" -B "$2" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DVexel_DIR="$3"
}

step "install into $work/prefix"
cmake --install "$build" --prefix "$work/prefix" >"$work/install.log" || { cat "$work/install.log"; exit 1; }
cp -r "$consumer" "$work/consumer"

step "a prefix without the package"
mkdir -p "$work/empty"
if configure "$work/consumer" "$work/wrong" "$work/empty" >"$work/wrong.log" 2>&1; then
  echo "configuring against an empty prefix succeeded"
  exit 1
fi
grep -q 'Could not find a package configuration file provided by "Vexel"' "$work/wrong.log" ||
  { echo "configuring against an empty prefix failed for another reason:"; cat "$work/wrong.log"; exit 1; }

step "configure and build the consumer"
configure "$work/consumer" "$work/build" "$work/prefix/lib/cmake/Vexel" >"$work/configure.log" 2>&1 ||
  { cat "$work/configure.log"; exit 1; }
cmake --build "$work/build" >"$work/build.log" 2>&1 || { cat "$work/build.log"; exit 1; }

# Every compile and link command names the prefix and nothing of the source or build tree.
commands=$(ninja -C "$work/build" -t commands consumer)
grep -q -- "$work/prefix/include" <<<"$commands" || { echo "the prefix is not on the include path:"; echo "$commands"; exit 1; }
grep -q -- "$work/prefix/lib/libvexel_skin.a" <<<"$commands" || { echo "not linked from the prefix:"; echo "$commands"; exit 1; }
if grep -q -e "$root" -e "$build" <<<"$commands"; then
  echo "a command names the source or build tree:"
  grep -e "$root" -e "$build" <<<"$commands"
  exit 1
fi

step "run the consumer on $skin"
"$root/scripts/wine-run" "$work/build/consumer.exe" "Z:$skin"
