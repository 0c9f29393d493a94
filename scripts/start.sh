#!/bin/sh
# Installs what is missing, builds, and starts the calculator. The build's
# output goes to build/start.log; without a display the headless driver runs
# a sample session and a few of the results it shows are printed.
set -eu
cd "$(dirname "$0")/.."
mkdir -p build
log=build/start.log
echo "start.sh: installing what is missing and building (the first build takes several minutes; output in $log) ..."
if ! scripts/setup.sh >"$log" 2>&1; then
    echo "start.sh: the build failed; the end of $log:" >&2
    tail -n 15 "$log" >&2
    exit 1
fi
echo "start.sh: built."
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] || [ -n "${QT_QPA_PLATFORM:-}" ]; then
    exec build/src/ui/orlavex "$@"
fi

# The text of control $2 in the JSON dump $1 of the window.
text_of() {
    printf '%s' "$1" | grep -o "\"$2\":{\"[a-z]*\":\"[^\"]*\"" | sed 's/.*:"\(.*\)"$/\1/'
}
show() {
    echo "  Noise source:            $(text_of "$1" lblNSsel), $(text_of "$1" lblENR_corr)"
    echo "  NF uncertainty:          $(text_of "$1" lblNF_unc)"
    echo "  Guidelines:              $(text_of "$1" lblGL3); $(text_of "$1" lblGL2); $(text_of "$1" lblGL1)"
    echo "  Calibration on/off:      $(text_of "$1" txtCalON) / $(text_of "$1" txtCalOFF) dBm"
    echo "  Measurement on/off:      $(text_of "$1" txtMeasON) / $(text_of "$1" txtMeasOFF) dBm"
}
echo "start.sh: no display to open the window on; the headless driver runs examples/startup.drive instead:"
build/orlavex-drive <examples/startup.drive >build/startup-session.json
first=true
while IFS= read -r dump; do
    if $first; then echo "At start-up:"; first=false; else echo "With the NoiseCom NC346V noise source:"; fi
    show "$dump"
done <build/startup-session.json
echo "(the whole window, as JSON: build/startup-session.json; window screenshots need a display or Xvfb, see README.md)"
