#!/usr/bin/env bash
# Builds the Windows side, from nothing to the programs in BUILD_DIR/windows/bin:
#   1. the toolchain packages (skipped quickly when present);
#   2. the native type-library tool and its tests (BUILD_DIR/typelib-tool);
#   3. the cross build (BUILD_DIR/windows) for ARCH, i686 (the default) or
#      x86_64, with the toolchain file cmake/mingw-ARCH.cmake, finished with that tool.
# pinhost.exe is compared with the native pinhost of ROOT/build/native (the
# build `./run test` makes first), built here when it is missing.
#
#   scripts/windows/build.sh BUILD_DIR [ARCH [TARGET...]]    (default: every target)
#
# ZELVA_WINDOWS_SOURCE_DIR names another source tree to configure for step 3 (a
# tree whose CMakeLists.txt includes cmake/windows.cmake); default: this repository.
set -euo pipefail

root="$(cd "$(dirname "$0")/../.." && pwd)"
arch=${2:-i686}
if [[ $# -lt 1 || ! -f "$root/cmake/mingw-$arch.cmake" ]]; then
    echo "usage: $0 BUILD_DIR [i686|x86_64 [TARGET...]]" >&2
    exit 2
fi
mkdir -p "$1"
build="$(cd "$1" && pwd)"
targets=("${@:3}")
source_dir="${ZELVA_WINDOWS_SOURCE_DIR:-$root}"

"$root/scripts/windows/install-deps.sh"

cmake -S "$root/tools/typelib" -B "$build/typelib-tool" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build/typelib-tool" -j2
ctest --test-dir "$build/typelib-tool" --verbose --no-tests=error

native="$root/build/native"
if [[ ! -x "$native/pinhost" ]]; then
    cmake -S "$root" -B "$native" -DCMAKE_BUILD_TYPE=Debug -DZELVA_SANITIZE=ON >/dev/null
    cmake --build "$native" -j2 --target pinhost staged_install
fi

cmake -S "$source_dir" -B "$build/windows" \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-$arch.cmake" \
    -DCMAKE_BUILD_TYPE=Release \
    -DZELVA_TYPELIB_PATCHER="$build/typelib-tool/zelva-typelib-patch" \
    -DZELVA_NATIVE_BUILD_DIR="$native" >/dev/null
cmake --build "$build/windows" -j2 ${targets[@]:+--target "${targets[@]}"}
