#!/usr/bin/env bash
# Builds the browser page, d88cut.html, into OUT_DIR: the tools' C++ built with
# emscripten into one module (in build-web/), the zip library from npm, and
# the page's own files, put together as one self-contained file.
#   bash web/build.sh OUT_DIR
set -euo pipefail
if [ $# -ne 1 ]; then
    echo "usage: bash web/build.sh OUT_DIR" >&2
    exit 2
fi
out_dir=$1
root=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${D88CUT_WEB_BUILD_DIR:-$root/build-web}

for tool in emcmake em++ node npm; do
    if ! command -v "$tool" >/dev/null; then
        echo "web/build.sh: $tool is missing (Debian: apt-get install -y --no-install-recommends emscripten nodejs npm)" >&2
        exit 1
    fi
done
# Debian's emscripten finds its JavaScript parser among Debian's Node modules.
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}

# The default emulator passes Node an option that Node 20 refuses.
emcmake cmake -S "$root" -B "$build_dir" -DCMAKE_BUILD_TYPE=MinSizeRel \
    -DD88CUT_BUILD_TESTS=OFF -DCMAKE_CROSSCOMPILING_EMULATOR="$(command -v node)" >/dev/null
cmake --build "$build_dir" -j2 --target d88web
(cd "$root/web" && npm ci --no-audit --no-fund --loglevel=error)
version=$(sed -n 's/^project(d88cut VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
mkdir -p "$out_dir"
node "$root/web/tools/assemble.js" "$build_dir/web" "$version" "$out_dir/d88cut.html"
