#!/bin/sh
# Installs what is missing, builds, and starts the calculator.
set -eu
cd "$(dirname "$0")/.."
scripts/setup.sh
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] || [ -n "${QT_QPA_PLATFORM:-}" ]; then
    exec build/src/ui/orlavex "$@"
fi
echo "start.sh: no display to open the window on; running the headless driver instead" >&2
exec build/orlavex-drive < examples/startup.drive
