#!/bin/sh
# check_debian_policy.sh SOURCE_DIR DEB...: what Debian asks of each package
# beyond its file list: a summary and an extended description, a Homepage,
# a changelog for this version and a machine-readable copyright with the
# project's licence in /usr/share/doc/<package>, compressed man pages,
# stripped shared objects, the sample inputs, metainfo that names every
# program and this release; and lintian with no error or warning and no
# hardening tag.
set -eu
source_dir=$(cd "$1" && pwd)
shift
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "check_debian_policy: $*" >&2; exit 1; }

# The text of the DEP-5 copyright file's stand-alone licence paragraph, as
# plain text (its lines are indented, blank lines written ".").
licence_text() {
    awk '/^$/ {paragraph = ""} /^License: Expat$/ && paragraph == "" {inside = 1; next}
         inside && /^ / {print} {paragraph = paragraph $0}' "$1" | sed 's/^ //; s/^\.$//'
}

check_control() {
    deb=$1 name=$2
    description=$(dpkg-deb -f "$deb" Description)
    [ "$(echo "$description" | wc -l)" -ge 3 ] || fail "$name: no extended description: $description"
    echo "$description" | head -n 1 | grep -q "^noise-figure calculator" ||
        fail "$name: the summary is not the package's own: $(echo "$description" | head -n 1)"
    [ "$(echo "$description" | head -n 1 | wc -c)" -le 81 ] || fail "$name: summary too long"
    dpkg-deb -f "$deb" Homepage | grep -q '^https://' || fail "$name: no Homepage"
}

check_doc_dir() {
    root=$1 name=$2 version=$3
    doc=$root/usr/share/doc/$name
    [ -f "$doc/changelog.gz" ] || fail "$name: no /usr/share/doc/$name/changelog.gz"
    gzip -t "$doc/changelog.gz" || fail "$name: changelog.gz is not gzip"
    first=$(gzip -dc "$doc/changelog.gz" | head -n 1)
    echo "$first" | grep -q "^orlavex ($version) " ||
        fail "$name: the changelog starts '$first', not version $version"
    head -n 1 "$doc/copyright" |
        grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
        fail "$name: copyright is not machine-readable"
    licence_text "$doc/copyright" >"$work/licence"
    sed -n '/^Permission/,$p' "$source_dir/LICENSE" | diff -u - "$work/licence" ||
        fail "$name: the copyright file's licence is not LICENSE's"
}

check_compressed() {
    root=$1 name=$2
    for page in $(find "$root/usr/share/man" -type f 2>/dev/null); do
        case $page in *.gz) gzip -t "$page" || fail "$name: bad gzip $page" ;;
        *) fail "$name: uncompressed man page ${page#"$root"}" ;; esac
    done
    for object in $(find "$root" -type f -name '*.so'); do
        file -b "$object" | grep -q "ELF.*, stripped" || fail "$name: ${object#"$root"} is not stripped"
        readelf -S "$object" | grep -q '\.debug_' && fail "$name: ${object#"$root"} has debug sections"
    done
    return 0
}

check_programs_package() {
    root=$1 version=$2
    examples=$root/usr/share/doc/orlavex/examples
    for example in noise_source.enr lna_1-18ghz.s2p plan_band.py; do
        [ -f "$examples/$example" ] || fail "no /usr/share/doc/orlavex/examples/$example"
    done
    metainfo=$root/usr/share/metainfo/com.korvanti.Orlavex.metainfo.xml
    for program in "$root"/usr/bin/*; do
        grep -q "<binary>$(basename "$program")</binary>" "$metainfo" ||
            fail "metainfo does not provide $(basename "$program")"
    done
    grep -q "<release version=\"$version\"" "$metainfo" || fail "metainfo has no release $version"
    grep -q '<url type="homepage">https://' "$metainfo" || fail "metainfo has no homepage"
    grep -q '<screenshot type="default">' "$metainfo" || fail "metainfo has no screenshot"
}

for deb in "$@"; do
    name=$(dpkg-deb -f "$deb" Package)
    version=$(dpkg-deb -f "$deb" Version)
    root=$work/$name
    mkdir "$root"
    dpkg-deb -x "$deb" "$root"
    check_control "$deb" "$name"
    check_doc_dir "$root" "$name" "$version"
    check_compressed "$root" "$name"
    [ "$name" = orlavex ] && check_programs_package "$root" "$version"
    # Errors and warnings fail; informational tags pass, but for the
    # hardening ones: the programs are built with Debian's hardening flags.
    lintian --display-info --fail-on error,warning "$deb" >"$work/lintian.log" 2>&1 ||
        { cat "$work/lintian.log" >&2; fail "$name: lintian reports errors or warnings"; }
    ! grep hardening- "$work/lintian.log" >&2 || fail "$name: built without hardening flags"
done
echo "check_debian_policy: $# packages pass"
