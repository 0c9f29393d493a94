#!/bin/sh
# Installs the Debian 12 packages the calculator needs (only those that are
# missing; as root, or through sudo), then configures and builds it in build/.
# On a freshly booted machine unattended upgrades may hold apt's locks: the
# install waits for them up to ten minutes, and the update of the package
# lists, which waits for no lock, is tried again for as long.
# Exit status 3: the missing packages could not be installed (no root and no
# sudo, or apt failed); any other failure is the build's.
set -eu
cd "$(dirname "$0")/.."

packages="cmake ninja-build g++ pkg-config qt6-base-dev qt6-svg-dev libqt6svg6 \
libgl-dev libxkbcommon-dev libgtest-dev libgmock-dev libbenchmark-dev fonts-liberation2 fonts-dejavu-core \
dpkg-dev file desktop-file-utils appstream lintian man-db xdg-utils \
libcli11-dev nlohmann-json3-dev nettle-dev liblxi-dev libtirpc-dev \
qt6-charts-dev libqt6opengl6-dev libpng-dev libexpat1-dev poppler-utils \
pybind11-dev python3-dev python3-numpy python3-pytest python3-matplotlib"

missing=""
for p in $packages; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
cannot_install() {
    echo "setup.sh: $*" >&2
    echo "setup.sh: the missing packages:$missing" >&2
    exit 3
}

# apt-get update, tried again every 10 seconds (60 times at most) while
# another apt holds the lock of the package lists; any other failure ends it.
update_package_lists() {
    output=$(mktemp)
    tries=1
    while ! $sudo apt-get update >"$output" 2>&1; do
        if ! grep -q -e "Could not get lock" -e "Unable to lock" "$output" || [ "$tries" -ge 60 ]; then
            cat "$output" >&2
            rm -f "$output"
            return 1
        fi
        echo "setup.sh: another apt holds the package lists; trying again in 10 seconds ($tries/60)" >&2
        tries=$((tries + 1))
        sleep 10
    done
    cat "$output"
    rm -f "$output"
}

if [ -n "$missing" ]; then
    if [ "$(id -u)" -eq 0 ]; then
        sudo=""
    elif command -v sudo >/dev/null 2>&1; then
        sudo="sudo"
    else
        cannot_install "installing packages needs root, and sudo is not installed: run this" \
            "script as root, or have an administrator install the packages below"
    fi
    update_package_lists || cannot_install "apt-get update failed"
    DEBIAN_FRONTEND=noninteractive $sudo apt-get -o DPkg::Lock::Timeout=600 install -y \
        --no-install-recommends $missing || cannot_install "apt-get install failed"
fi

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build
