#!/bin/sh
# Installs what is missing, builds, and starts the calculator.
set -eu
cd "$(dirname "$0")/.."
scripts/setup.sh
if [ -x build/src/ui/orlavex ]; then
    exec build/src/ui/orlavex "$@"
fi
# Without the window, run the headless driver on the sample session.
exec build/orlavex-drive < examples/startup.drive
