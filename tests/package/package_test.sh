#!/usr/bin/env bash
# Installs the build into a fresh prefix, builds the consumer project from a copy in a separate
# folder against that prefix alone, and runs it under Wine on the sample skin. A prefix without
# the package must fail with CMake's own message.
# Usage: package_test.sh BUILD-DIR TOOLCHAIN-FILE CONSUMER-DIR SKIN-FILE
set -euo pipefail
build=$1 toolchain=$2 consumer=$3 skin=$4
root=$(cd "$(dirname "$0")/../.." && pwd)

work=$(mktemp -d /tmp/vexel-package.XXXXXX)
trap 'rm -rf "$work"' EXIT
case "$work" in "$root"/* | "$build"/*) echo "the work folder is inside the tree: $work"; exit 1 ;; esac

step() { printf '== %s\n' "$*"; }
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

# Every compile and link command names the prefix and nothing of the source or build tree; the
# toolchain's own find root (the cross-built libpng under .cache) is the one exception.
commands=$(ninja -C "$work/build" -t commands consumer)
grep -q -- "$work/prefix/include" <<<"$commands" || { echo "the prefix is not on the include path:"; echo "$commands"; exit 1; }
grep -q -- "$work/prefix/lib/libvexel_skin.a" <<<"$commands" || { echo "not linked from the prefix:"; echo "$commands"; exit 1; }
if grep -q -e "$root" -e "$build" <<<"${commands//$root\/.cache\//}"; then
  echo "a command names the source or build tree:"
  grep -e "$root" -e "$build" <<<"$commands"
  exit 1
fi

step "run the consumer on $skin"
"$root/scripts/wine-run" "$work/build/consumer.exe" "Z:$skin"
