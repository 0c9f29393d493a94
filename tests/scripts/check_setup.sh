#!/bin/sh
# check_setup.sh SOURCE_DIR: scripts/setup.sh and scripts/start.sh against
# stand-ins for apt-get, sudo and the build: the update of the package lists
# is tried again while another apt holds their lock (and only then), and a
# user who is neither root nor has sudo is told so, not that the build failed.
set -eu
source_dir=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "check_setup: $*" >&2; cat "$work/out" >&2; exit 1; }

# A copy of the scripts in a tree of their own, and a PATH of the system's
# plain tools and the stand-ins only (no sudo unless a case adds one).
mkdir -p "$work/tree/scripts" "$work/bin"
cp "$source_dir/scripts/setup.sh" "$source_dir/scripts/start.sh" "$work/tree/scripts/"
for tool in sh cat grep dirname mkdir mktemp rm tail; do
    ln -s "$(command -v $tool)" "$work/bin/$tool"
done
stub() { printf '#!/bin/sh\n%s\n' "$2" >"$work/bin/$1"; chmod +x "$work/bin/$1"; }
stub dpkg-query 'exit 1'                       # nothing installed
stub sleep 'exit 0'                            # no real waiting
stub cmake 'echo cmake >>"$CALLS"'
# apt-get update fails with LOCKED_UPDATES lock messages first, then as
# UPDATE_ERROR says (empty: it succeeds).
stub apt-get '
echo "apt-get $*" >>"$CALLS"
case " $* " in *" update "*)
    n=$(grep -c "apt-get update" "$CALLS")
    if [ "$n" -le "$LOCKED_UPDATES" ]; then
        echo "E: Could not get lock /var/lib/apt/lists/lock. It is held by process 4242 (apt-get)" >&2
        exit 100
    fi
    if [ -n "$UPDATE_ERROR" ]; then echo "E: $UPDATE_ERROR" >&2; exit 100; fi
esac
exit 0'

# run USER_ID LOCKED_UPDATES UPDATE_ERROR SCRIPT: the exit status in $status.
run() {
    stub id "echo $1"
    : >"$work/calls"
    status=0
    env -i PATH="$work/bin" CALLS="$work/calls" LOCKED_UPDATES="$2" UPDATE_ERROR="$3" \
        sh "$work/tree/scripts/$4" >"$work/out" 2>&1 || status=$?
}
calls() { grep -c "$1" "$work/calls" || true; }

# Root, the lists locked three times: updated on the fourth try, installed, built.
run 0 3 "" setup.sh
[ "$status" -eq 0 ] || fail "status $status with the lock held three times"
[ "$(calls 'apt-get update')" -eq 4 ] || fail "not four updates"
[ "$(calls 'apt-get .*install')" -eq 1 ] || fail "not installed"
[ "$(calls "^cmake")" -eq 2 ] || fail "not built"

# The lock never freed: a bounded number of tries, then status 3.
run 0 1000 "" setup.sh
[ "$status" -eq 3 ] || fail "status $status with the lock held for good"
[ "$(calls 'apt-get update')" -eq 60 ] || fail "not 60 tries"
[ "$(calls "^cmake")" -eq 0 ] || fail "built without the packages"

# Another failure of the update is not tried again.
run 0 0 "The repository is not signed." setup.sh
[ "$status" -eq 3 ] || fail "status $status with an unsigned repository"
[ "$(calls 'apt-get update')" -eq 1 ] || fail "an unsigned repository tried again"
grep -q "not signed" "$work/out" || fail "apt's message not shown"

# Neither root nor sudo: said so, apt never run; start.sh does not call it a
# failed build.
run 1000 0 "" setup.sh
[ "$status" -eq 3 ] || fail "status $status without root and sudo"
grep -q "needs root, and sudo is not installed" "$work/out" || fail "no word of root and sudo"
grep -q "qt6-base-dev" "$work/out" || fail "the missing packages not named"
[ "$(calls apt-get)" -eq 0 ] || fail "apt-get run without root"
run 1000 0 "" start.sh
[ "$status" -eq 1 ] || fail "start.sh status $status"
grep -q "could not be installed" "$work/out" || fail "start.sh does not say what failed"
! grep -q "the build failed" "$work/out" || fail "start.sh calls it a failed build"

# Not root, with sudo: apt runs through it.
stub sudo '"$@"'
run 1000 0 "" setup.sh
rm "$work/bin/sudo"
[ "$status" -eq 0 ] || fail "status $status with sudo"
[ "$(calls 'apt-get .*install')" -eq 1 ] || fail "not installed through sudo"
echo "check_setup: lock retries, other failures and a user without root behave"
