#!/bin/sh
# Installs the Debian 12 packages the calculator needs (only those that are
# missing; as root, or through sudo), then configures and builds it in build/.
# On a freshly booted machine unattended upgrades may hold apt's lock: apt
# waits for it up to ten minutes instead of giving up.
set -eu
cd "$(dirname "$0")/.."

packages="cmake ninja-build g++ pkg-config qt6-base-dev qt6-svg-dev libqt6svg6 \
libgl-dev libxkbcommon-dev libgtest-dev libgmock-dev libbenchmark-dev fonts-liberation2 fonts-dejavu-core \
dpkg-dev file desktop-file-utils appstream lintian man-db xdg-utils \
libcli11-dev nlohmann-json3-dev nettle-dev \
qt6-charts-dev libqt6opengl6-dev libpng-dev \
pybind11-dev python3-dev python3-numpy python3-pytest python3-matplotlib"

missing=""
for p in $packages; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
    if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi
    wait_for_lock="-o DPkg::Lock::Timeout=600"
    $sudo apt-get $wait_for_lock update
    DEBIAN_FRONTEND=noninteractive $sudo apt-get $wait_for_lock install -y --no-install-recommends $missing
fi

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build
