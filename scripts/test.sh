#!/bin/sh
# Installs what is missing, builds, and runs every test; then builds the core,
# the driver, the tests and the soak tool again under AddressSanitizer and
# UndefinedBehaviorSanitizer (build-asan/) and runs the tests and three short
# soak sessions there too.
set -eu
cd "$(dirname "$0")/.."
scripts/setup.sh
ctest --test-dir build --output-on-failure -j2

sanitizers="-fsanitize=address,undefined -fno-sanitize-recover=undefined"
CXXFLAGS="$sanitizers" LDFLAGS="$sanitizers" cmake -S . -B build-asan -G Ninja \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORLAVEX_BUILD_UI=OFF -DORLAVEX_BUILD_BENCH=OFF
cmake --build build-asan
ctest --test-dir build-asan --output-on-failure -j2
