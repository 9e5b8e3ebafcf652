#!/usr/bin/env bash
# Installs every Debian package the build, the tests and the benchmarks need.
# Nothing is fetched when all of them are already installed.
set -euo pipefail

# One list, so later work can add the desktop program's toolkit and sound packages here.
# Packaging: desktop-file-validate checks the desktop entry, appstreamcli (appstream) the
# software centres' entry; dpkg-shlibdeps (dpkg-dev) and file let CPack work out the .deb's
# run-time dependencies. libx11-dev: the desktop program asks the X server for detectable
# auto-repeat through Xlib; libxext-dev: it sets a window's input shape under a compositor;
# qt6-wayland is its platform on a Wayland desktop. The desktop smoke test paints the virtual
# screen's root (x11-xserver-utils) and reads its screenshots (imagemagick). The Wayland
# desktop test runs a headless sway (with swaybg's plain background and Xwayland), takes
# screenshots with grim, types with wtype, reads sway's tree with python3, starts the program
# on qt6-wayland, and builds its virtual pointer with wayland-scanner against
# libwayland-client (libwayland-dev). The web page's tests drive the installed browsers
# headless (chromium, firefox-esr) through puppeteer-core, which the machine's Node.js and npm
# install from tests/web/package-lock.json.
DEPS="build-essential cmake ninja-build ccache git clang-format \
libgtest-dev libgmock-dev googletest libbenchmark-dev libpng-dev libjpeg-dev \
libstb-dev qt6-base-dev qt6-base-dev-tools qt6-wayland libgl-dev libx11-dev libxext-dev \
libsdl2-dev libsdl2-mixer-dev \
clang libclang-rt-14-dev xvfb xauth xdotool x11-utils x11-xserver-utils imagemagick \
fonts-dejavu-core fonts-dejavu-extra fonts-liberation2 \
desktop-file-utils appstream dpkg-dev file \
sway swaybg grim wtype xwayland libwayland-dev wayland-protocols python3 \
chromium firefox-esr"
# "install-deps.sh web": also the web page's compiler (scripts/build-web.sh), whose tools run
# under Debian's Node.
if [ "${1:-}" = "web" ]; then
    DEPS="$DEPS emscripten nodejs"
fi

missing=""
for pkg in $DEPS; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $pkg"
    fi
done
if [ -z "$missing" ]; then
    echo "install-deps: all packages present"
    exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
echo "install-deps: installing$missing"
$SUDO apt-get update
# shellcheck disable=SC2086  # the list is meant to split into words
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends $missing
