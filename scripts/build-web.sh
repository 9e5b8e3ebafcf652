#!/usr/bin/env bash
# Builds the web page into build/web/: the handheld's core compiled to WebAssembly by Debian's
# emscripten (configured with emcmake into build/web-obj), the page's own files, and the
# run-time data the desktop build generates into build/dev/run (built first when missing).
# Serve it with: python3 -m http.server -d build/web
set -euo pipefail
cd "$(dirname "$0")/.."

# Debian's emscripten and Node beside what the artwork and sound generators need.
./scripts/install-deps.sh web

# Debian's emscripten runs its tools under the system Node, which finds their modules here.
export NODE_PATH=/usr/share/nodejs

run=build/dev/run
if [ ! -f "$run/Config.ini" ] || [ ! -d "$run/Sound" ] || [ ! -f "$run/Readme.txt" ]; then
    cmake --preset dev
    cmake --build --preset dev --target artwork sounds
fi

emcmake cmake -S . -B build/web-obj -G Ninja -DFLUFFO_WEB=ON -DCMAKE_BUILD_TYPE=Release \
    -DSTB_INCLUDE_DIR=/usr/include/stb
cmake --build build/web-obj --target fluffo-web

site=build/web
rm -rf "$site"
mkdir -p "$site"
cp src/app/web/page/* "$site/"
cp build/web-obj/run/fluffo-core.js build/web-obj/run/fluffo-core.wasm "$site/"
for item in Config.ini Readme.txt Whatsnew.txt Graphics Sound; do
    cp -r "$run/$item" "$site/"
done
# The data files the page loads, one a line, and the version the offline cache is kept under
# (named by the service worker and by the page, which fills it on a first visit).
(cd "$site" && find Config.ini Readme.txt Whatsnew.txt Graphics Sound -type f | LC_ALL=C sort) \
    >"$site/files.txt"
version=$(cat "$site"/fluffo-core.wasm "$site"/files.txt "$site"/*.js | sha256sum | cut -c1-16)
sed -i "s/@SITE_VERSION@/$version/" "$site/sw.js" "$site/fluffo.js"
echo "build-web: the site is in $site ($(du -sh "$site" | cut -f1)); serve it with"
echo "  python3 -m http.server -d $site"
