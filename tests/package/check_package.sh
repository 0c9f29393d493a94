#!/bin/sh
# check_package.sh BUILD_DIR: builds the .deb with cpack and checks it: it
# holds exactly what `cmake --install` installs, the programs are stripped,
# each program in /usr/bin has a man page, the desktop entry and metainfo
# validate and share the icon's application id, and the dependencies name
# the Qt libraries and xdg-utils; then check_debian_policy.sh checks each
# package against Debian's rules.
set -eu
build=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "check_package: $*" >&2; exit 1; }

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/out" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log" >&2; fail "cpack failed"; }
deb=$(ls "$work"/out/orlavex_*.deb) || fail "no orlavex_*.deb made"
# The Python module, where it is built, comes as a package of its own.
python_deb=$(ls "$work"/out/python3-orlavex_*.deb 2>/dev/null || true)

# The expected list: what the build's install rules put under /usr.
cmake --install "$build" --prefix "$work/stage/usr" >/dev/null
(cd "$work/stage" && find . -type f -o -type l) | sed 's|^\./|/|' | sort >"$work/expected"
for package in $deb $python_deb; do
    dpkg-deb -c "$package" | awk '$1 !~ /^d/ {print $6}'
done | sed 's|^\./|/|' | sort >"$work/packaged"
diff -u "$work/expected" "$work/packaged" || fail "the package does not hold what is installed"

mkdir "$work/root"
dpkg-deb -x "$deb" "$work/root"
r=$work/root
for essential in /usr/bin/orlavex /usr/bin/orlavex-drive /usr/share/orlavex/doc/orlavex.html \
    /usr/share/doc/orlavex/copyright; do
    [ -e "$r$essential" ] || fail "missing $essential"
done
for program in "$r"/usr/bin/*; do
    name=$(basename "$program")
    file -b "$program" | grep -q "ELF.*, stripped" || fail "$name is not a stripped program"
    ls "$r/usr/share/man/man1/$name.1"* >/dev/null 2>&1 || fail "no man page for $name"
done

id=com.korvanti.Orlavex
desktop=$r/usr/share/applications/$id.desktop
metainfo=$r/usr/share/metainfo/$id.metainfo.xml
desktop-file-validate "$desktop" || fail "desktop entry does not validate"
appstreamcli validate --no-net "$metainfo" >"$work/appstream.log" 2>&1 ||
    { cat "$work/appstream.log" >&2; fail "metainfo does not validate"; }
grep -qx "Icon=$id" "$desktop" || fail "desktop entry names another icon"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
    fail "metainfo launches another desktop entry"
[ -f "$r/usr/share/icons/hicolor/scalable/apps/$id.svg" ] || fail "no scalable icon"
for size in 16 32 48 64 128 256; do
    png=$r/usr/share/icons/hicolor/${size}x${size}/apps/$id.png
    file -b "$png" | grep -q "PNG image data, $size x $size" || fail "no $size pixel icon"
done

depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 libqt6svg6 libnettle8 liblxi1 xdg-utils fonts-liberation2; do
    echo "$depends" | grep -q "$needed" || fail "Depends lacks $needed: $depends"
done
if [ -n "$python_deb" ]; then
    dpkg-deb -c "$python_deb" >"$work/python_deb.list"
    grep -q '/usr/lib/python3/dist-packages/orlavex.*\.so$' "$work/python_deb.list" ||
        fail "python3-orlavex lacks the module in Debian's Python path"
    grep -q ' \./usr/bin/' "$work/python_deb.list" && fail "python3-orlavex holds programs"
    dpkg-deb -c "$deb" >"$work/deb.list"
    grep -q 'dist-packages' "$work/deb.list" && fail "orlavex holds the Python module"
    dpkg-deb -f "$python_deb" Depends | grep -q python3-numpy ||
        fail "python3-orlavex does not depend on python3-numpy"
fi
sh "$(dirname "$0")/check_debian_policy.sh" "$(dirname "$0")/../.." $deb $python_deb >&2 ||
    fail "the packages break Debian's rules"
echo "check_package: $(basename "$deb") ${python_deb:+and $(basename "$python_deb") }hold $(wc -l <"$work/packaged") files"
