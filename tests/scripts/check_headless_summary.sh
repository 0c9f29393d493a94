#!/bin/sh
# check_headless_summary.sh DRIVER SOURCE_DIR: what scripts/start.sh prints
# without a display, from the driver's run of examples/startup.drive: the
# uncertainty with its "±" and each guideline with its lamp's colour.
set -eu
driver=$1
source_dir=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "check_headless_summary: $*" >&2; cat "$work/summary" >&2; exit 1; }

"$driver" <"$source_dir/examples/startup.drive" >"$work/session.json"
sh "$source_dir/scripts/headless_summary.sh" "$work/session.json" >"$work/summary"

expect_line() {
    grep -qxF "$1" "$work/summary" || fail "no line '$1'"
}
expect_line "At start-up:"
expect_line "  NF uncertainty:          ± 0.11 dB"
expect_line "  Guidelines:              ENR - NFsa = 3.5 dB (green); ENR - NFdut = 7 dB (green); (NF+G)dut - NFsa = 11.5 dB (green)"
expect_line "With the NoiseCom NC346V noise source:"
expect_line "  NF uncertainty:          ± 0.12 dB"
expect_line "  Guidelines:              ENR - NFsa = 2.5 dB (yellow); ENR - NFdut = 6 dB (green); (NF+G)dut - NFsa = 11.5 dB (green)"
expect_line "  Calibration on/off:      -98.062 / -102.5 dBm"
[ "$(wc -l <"$work/summary")" -eq 12 ] || fail "not two blocks of five results"
echo "check_headless_summary: the summary shows ± and the lamps"
