#!/bin/sh
# Installs what is missing, builds, and starts the calculator. The build's
# output goes to build/start.log; without a display the headless driver runs
# a sample session and a few of the results it shows are printed.
set -eu
cd "$(dirname "$0")/.."
mkdir -p build
log=build/start.log
echo "start.sh: installing what is missing and building (the first build takes several minutes; output in $log) ..."
status=0
scripts/setup.sh >"$log" 2>&1 || status=$?
if [ "$status" -ne 0 ]; then
    if [ "$status" -eq 3 ]; then
        echo "start.sh: the packages the build needs could not be installed; the end of $log:" >&2
    else
        echo "start.sh: the build failed; the end of $log:" >&2
    fi
    tail -n 15 "$log" >&2
    exit 1
fi
echo "start.sh: built."
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] || [ -n "${QT_QPA_PLATFORM:-}" ]; then
    exec build/src/ui/orlavex "$@"
fi

echo "start.sh: no display to open the window on; the headless driver runs examples/startup.drive instead:"
build/orlavex-drive <examples/startup.drive >build/startup-session.json
scripts/headless_summary.sh build/startup-session.json
echo "(the whole window, as JSON: build/startup-session.json; window screenshots need a display or Xvfb, see README.md)"
