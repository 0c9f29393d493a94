#!/bin/sh
# Installs what is missing, builds, and runs every test; then builds the core,
# the driver, the tests and the soak tool again under AddressSanitizer and
# UndefinedBehaviorSanitizer (build-asan/) and runs the tests and three short
# soak sessions there too.
#
# The output of each step goes to a log file and is shown only when the step
# fails; compiler warnings in the project's own code are shown. The last line
# is the verdict over both builds, "total: N passed, M failed"; the exit
# status is 0 only when every test passed.
set -eu
cd "$(dirname "$0")/.."
mkdir -p build build-asan

# quietly LOG COMMAND...: runs COMMAND with its output in LOG; on failure
# prints the end of LOG and stops.
quietly() {
    log=$1
    shift
    if ! "$@" >"$log" 2>&1; then
        echo "test.sh: failed: $*; the end of $log:" >&2
        tail -n 40 "$log" >&2
        exit 1
    fi
}

# The compiler's and CMake's warnings in LOG, the first few of them.
show_warnings() {
    warnings=$(grep -E '^[^ ]+:[0-9]+:[0-9]+: warning:|^CMake Warning' "$1" | sort -u || true)
    if [ -n "$warnings" ]; then
        echo "test.sh: $(echo "$warnings" | wc -l) warnings while building (all of them in $1):"
        echo "$warnings" | head -n 10
    fi
}

# The counts in ctest's summary line in LOG: "N% tests passed, F tests failed
# out of T", less the tests it lists as skipped (ctest counts them among the
# passed). Prints "PASSED FAILED"; a run that ended without the line counts
# as one failure.
ctest_counts() {
    line=$(grep -E '^[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$1" | tail -n 1)
    if [ -z "$line" ]; then
        echo "0 1"
        return
    fi
    failed=$(echo "$line" | sed -E 's/.* ([0-9]+) tests? failed.*/\1/')
    total=$(echo "$line" | sed -E 's/.*out of ([0-9]+).*/\1/')
    skipped=$(grep -cE '^[[:space:]]*[0-9]+ - .* \(Skipped\)$' "$1" || true)
    echo "$((total - failed - skipped)) $failed"
}

# run_tests DIR: runs DIR's tests into DIR/ctest.log, prints the failed ones.
run_tests() {
    ctest --test-dir "$1" --output-on-failure -j2 >"$1/ctest.log" 2>&1 || {
        echo "test.sh: tests failed in $1/ (output in $1/ctest.log):"
        sed -n '/^The following tests FAILED:/,$p' "$1/ctest.log" | grep -v '^Errors while running' || true
    }
}

echo "test.sh: installing what is missing and building build/ (output in build/setup.log) ..."
quietly build/setup.log scripts/setup.sh
show_warnings build/setup.log
echo "test.sh: running the tests in build/ (output in build/ctest.log) ..."
run_tests build

echo "test.sh: building build-asan/ with the sanitizers (output in build-asan/build.log) ..."
sanitizers="-fsanitize=address,undefined -fno-sanitize-recover=undefined"
# -O1 with line tables only, as the sanitizers advise: the reports keep their
# file and line, and the build costs about half the CPU of -O2 -g.
quietly build-asan/configure.log env CXXFLAGS="$sanitizers" LDFLAGS="$sanitizers" \
    cmake -S . -B build-asan -G Ninja \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -g1 -DNDEBUG" \
    -DORLAVEX_BUILD_UI=OFF -DORLAVEX_BUILD_BENCH=OFF
quietly build-asan/build.log cmake --build build-asan
show_warnings build-asan/build.log
echo "test.sh: running the tests in build-asan/ (output in build-asan/ctest.log) ..."
run_tests build-asan

set -- $(ctest_counts build/ctest.log) $(ctest_counts build-asan/ctest.log)
echo "test.sh: build/ $1 passed, $2 failed; build-asan/ $3 passed, $4 failed"
echo "total: $(($1 + $3)) passed, $(($2 + $4)) failed"
[ $(($2 + $4)) -eq 0 ]
