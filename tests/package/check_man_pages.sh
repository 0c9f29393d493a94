#!/bin/sh
# check_man_pages.sh CLI SOURCE_DIR CLI_PAGE: orlavex-cli's man page (CLI_PAGE,
# as the build writes it from data/man/orlavex-cli.1.in) names each of its
# commands in the synopsis, every option each command's --help lists, every
# column of a sweep's CSV and every key of a point's figures in its JSON; the
# window's page names its menu keys, options and the planner; every document
# that says what is kept on disk names the planner's file; and man reads every
# page without a warning. The README's example of a refused set-up file is
# what orlavex-cli prints for it.
set -eu
cli=$1
source_dir=$2
pages=$2/data/man
fail() { echo "check_man_pages: $*" >&2; exit 1; }

page=$3
for command in point evaluate catalogue sweep advise report measure; do
    sed -n '/^\.SH SYNOPSIS/,/^\.SH/p' "$page" | grep -qE "^\.B (orlavex-cli )?$command\$" ||
        fail "the synopsis lacks '$command'"
    options=$("$cli" "$command" --help | grep -oE '^  +--[a-z0-9-]+' | sed 's/^ *//' | sort -u)
    for option in $options; do
        [ "$option" = --help ] && continue
        grep -qF -- "$(echo "$option" | sed 's/-/\\-/g')" "$page" ||
            fail "orlavex-cli $command $option is not in the man page"
    done
done
# Every column of a sweep's CSV, with the Monte Carlo and a loss of the bench
# (a range such as margin1_db to margin3_db names its first column).
columns=$("$cli" sweep --over loss-in --from 0 --to 1 --points 2 --mc --trials 100 --format csv |
          head -n 1 | tr -d '\r' | tr ',' ' ')
for column in $columns; do
    first=$(echo "$column" | sed 's/[0-9]/1/')
    grep -qE -- "(^|[^a-z_])($column|$first)([^a-z_]|\$)" "$page" ||
        fail "the CSV column $column is not in the man page"
done
# Every key of a point's classic figures, budget and Monte Carlo in --json.
keys=$("$cli" point --json --trials 10 | awk '
    /^  "[a-z_]+": \{/ { split($1, a, "\""); part = a[2] }
    /^  [}]/ { part = "" }
    part ~ /^(classic|gum|monte_carlo)$/ && /^    "[A-Za-z_0-9]+":/ { split($1, k, "\""); print k[2] }')
for key in $keys; do
    grep -qE -- "(^|[^a-z_])$key([^a-z_]|\$)" "$page" || fail "the JSON key $key is not in the man page"
done
for needed in 'Alt+T' 'Tools > Planner' 'Ctrl+P' 'planner.conf' '\-\-help' '\-\-version'; do
    grep -qF -- "$needed" "$pages/orlavex.1" || fail "orlavex.1 lacks $needed"
done
for doc in README.md data/man/orlavex.1 data/com.korvanti.Orlavex.metainfo.xml; do
    if grep -qi "on disk" "$source_dir/$doc"; then
        grep -q "planner\.conf" "$source_dir/$doc" ||
            fail "$doc speaks of the disk without the planner's recent files"
    fi
done
# The README saves lna.orlavex.json with its sweep, writes the DUT's noise
# figure in it as a string and shows the one line the sweep then refuses it
# with, line number included.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$work" && "$cli" sweep --over freq --from 1 --to 18 --analyzer Aravel-3 \
    --enr-table "$source_dir/examples/noise_source.enr" \
    --dut-s2p "$source_dir/examples/lna_1-18ghz.s2p" --dut-nf 2 \
    --save-setup lna.orlavex.json >/dev/null)
sed -i 's/"dut_nf_db": 2\.0,/"dut_nf_db": "2.0",/' "$work/lna.orlavex.json"
grep -q '"dut_nf_db": "2.0",' "$work/lna.orlavex.json" || fail "the set-up file holds no dut_nf_db 2.0"
status=0
refusal=$(cd "$work" && "$cli" sweep --setup lna.orlavex.json --dut-nf 2.5 --format csv 2>&1 >/dev/null) ||
    status=$?
[ "$status" -eq 2 ] || fail "a set-up file with a string for a number ends with status $status"
grep -qxF -- "$refusal" "$source_dir/README.md" ||
    fail "README.md does not show the refusal as printed: $refusal"
line=$(echo "$refusal" | sed -n 's/^orlavex-cli: lna\.orlavex\.json:\([0-9]*\):.*/\1/p')
grep -qF "number on line $line of the file" "$source_dir/README.md" ||
    fail "README.md names another line than $line for dut_nf_db"

for any in "$pages"/*.1 "$page"; do
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$any" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "$(basename "$any"): $warnings"
done
echo "check_man_pages: the pages cover every command and option"
