#!/bin/sh
# check_man_pages.sh CLI SOURCE_DIR: orlavex-cli's man page names each of its
# commands in the synopsis and every option each command's --help lists, and
# man reads every page without a warning.
set -eu
cli=$1
pages=$2/data/man
fail() { echo "check_man_pages: $*" >&2; exit 1; }

page=$pages/orlavex-cli.1
for command in point evaluate catalogue sweep advise report; do
    sed -n '/^\.SH SYNOPSIS/,/^\.SH/p' "$page" | grep -qE "^\.B (orlavex-cli )?$command\$" ||
        fail "the synopsis lacks '$command'"
    options=$("$cli" "$command" --help | grep -oE '^  +--[a-z0-9-]+' | sed 's/^ *//' | sort -u)
    for option in $options; do
        [ "$option" = --help ] && continue
        grep -qF -- "$(echo "$option" | sed 's/-/\\-/g')" "$page" ||
            fail "orlavex-cli $command $option is not in the man page"
    done
done
for any in "$pages"/*.1; do
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$any" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "$(basename "$any"): $warnings"
done
echo "check_man_pages: the pages cover every command and option"
