#!/bin/sh
# headless_summary.sh SESSION_JSON: a few of the results the window shows,
# from each dump (one JSON line) that orlavex-drive wrote for
# examples/startup.drive: the start-up window, then the window with a
# NoiseCom NC346V noise source. scripts/start.sh prints this without a display.
set -eu

# The value of key $3 of control $2 in the dump $1 (strings without quotes).
value_of() {
    printf '%s' "$1" | grep -o "\"$2\":{[^}]*}" | head -n 1 |
        grep -o "\"$3\":\(\"[^\"]*\"\|[a-z0-9.-]*\)" | sed 's/^"[^"]*"://; s/^"//; s/"$//'
}

# The uncertainty as the window shows it: the "+" of its caption stands over
# an underline (control linMinus) while a figure is shown, and reads "±".
uncertainty() {
    caption=$(value_of "$1" lblNF_unc caption)
    if [ "$(value_of "$1" linMinus visible)" = true ]; then
        caption="±${caption#+}"
    fi
    printf '%s' "$caption"
}

# The colour of guideline lamp $2 (ind1..ind3) by its fill colour (0xBBGGRR).
lamp() {
    [ "$(value_of "$1" "$2" visible)" = true ] || { printf 'off'; return; }
    fill=$(value_of "$1" "$2" fillcolor)
    case $fill in
        65280) printf 'green' ;;
        65535) printf 'yellow' ;;
        255) printf 'red' ;;
        8421504) printf 'grey' ;;
        *) printf 'colour %s' "$fill" ;;
    esac
}

guideline() {
    printf '%s (%s)' "$(value_of "$1" "lblGL$2" caption)" "$(lamp "$1" "ind$2")"
}

show() {
    echo "  Noise source:            $(value_of "$1" lblNSsel caption), $(value_of "$1" lblENR_corr caption)"
    echo "  NF uncertainty:          $(uncertainty "$1")"
    echo "  Guidelines:              $(guideline "$1" 3); $(guideline "$1" 2); $(guideline "$1" 1)"
    echo "  Calibration on/off:      $(value_of "$1" txtCalON text) / $(value_of "$1" txtCalOFF text) dBm"
    echo "  Measurement on/off:      $(value_of "$1" txtMeasON text) / $(value_of "$1" txtMeasOFF text) dBm"
}

first=true
while IFS= read -r dump; do
    if $first; then echo "At start-up:"; first=false; else echo "With the NoiseCom NC346V noise source:"; fi
    show "$dump"
done <"$1"
