#!/usr/bin/env bash
# Compiles the core and the simulation to WebAssembly with Debian's emscripten and assembles the
# page and the node replay tool into build/web. Called by ../web.sh, which installs the tools.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
out=${1:-$root/build/web}
mkdir -p "$out/obj"
# Debian's emscripten loads its JavaScript modules (acorn) from here.
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}

sources=("$root"/core/*.cpp "$root"/sim/*.cpp "$here"/src/*.cpp)
# No path of this machine goes into the output (the committed page is compared byte for byte).
# The pictures are drawn from their description and must not depend on fused multiply-adds, as in
# the native build (core/CMakeLists.txt).
flags=(-std=c++20 -Oz -Wall -Wextra -Wpedantic -ffp-contract=off -ffile-prefix-map="$root"=.
       -I"$root/core" -I"$root/sim" -I"$here/src")
link=(-sMODULARIZE=1 -sEXPORT_NAME=createIchijikansu -sENVIRONMENT=web,node
      -sPRINTF_LONG_DOUBLE=1 -sALLOW_MEMORY_GROWTH=1 -sINITIAL_MEMORY=16MB
      -sEXPORTED_RUNTIME_METHODS=UTF8ToString,stringToUTF8,lengthBytesUTF8
      -sEXPORTED_FUNCTIONS=_malloc,_free)

em++ "${flags[@]}" "${sources[@]}" "${link[@]}" -o "$out/obj/core.js"
node "$here/assemble.mjs" "$out/obj/core.js" "$out/obj/core.wasm" "$out"
