#!/usr/bin/env bash
# Makes the Debian packages of a build with cpack and checks them: the files each must hold,
# dependencies that name installed Debian packages (the build's own libraries among them), and
# the two packages unpacked together as a tree that the consumer program builds against and
# runs on.
#   tests/package/check_deb.sh <build folder>
set -euo pipefail
build=$(cd "${1:?build folder}" && pwd)
root=$(cd "$(dirname "$0")/../.." && pwd)
here=$(mktemp -d /tmp/zel-deb.XXXXXX)
trap 'rm -rf "$here"' EXIT
fail() { echo "check_deb: $*" >&2; exit 1; }

(cd "$build" && cpack -G DEB) >"$here/cpack.log" 2>&1 || { cat "$here/cpack.log" >&2; fail "cpack failed"; }
editor=$build/zel-editor_1.0.0_amd64.deb
dev=$build/zel-editor-dev_1.0.0_amd64.deb
[ -f "$editor" ] || fail "no $editor"
[ -f "$dev" ] || fail "no $dev"

# has <package> <path pattern>...
has() {
    local deb=$1 listing
    shift
    listing=$(dpkg-deb -c "$deb" | awk '{print $6}')
    for pattern in "$@"; do
        grep -qx "\./usr/$pattern" <<<"$listing" || fail "$(basename "$deb") lacks /usr/$pattern"
    done
}
has "$editor" bin/zel-editor share/applications/zel-editor.desktop \
    share/icons/hicolor/scalable/apps/zel-editor.svg share/icons/hicolor/128x128/apps/zel-editor.png \
    share/zel-editor/manual/index.html 'share/zel-editor/templates/.*' \
    'share/zel-editor/libraries/.*' 'share/zel-editor/faces/.*\.zel'
has "$dev" include/zel/imaging.h include/zel/imaging_export.h include/zel/face_engine.h \
    include/zel/zeledit_export.h include/zel/composition.h include/zel/composition_export.h \
    'lib.*/cmake/ZelEditor/ZelEditorConfig.cmake' \
    'lib.*/cmake/ZelEditor/ZelEditorConfigVersion.cmake' \
    'lib.*/pkgconfig/zelImageDLL.pc' 'lib.*/pkgconfig/zeledit.pc' 'lib.*/pkgconfig/zeledit2.pc'
for lib in zelImageDLL zeledit zeledit2 vyresrc; do
    has "$editor" "lib.*/lib$lib\.so\.1" "lib.*/lib$lib\.so\.1\.0\.0"
    has "$dev" "lib.*/lib$lib\.so"
done
if dpkg-deb -c "$dev" | awk '{print $6}' | grep -q '\.so\.1'; then
    fail "zel-editor-dev holds a runtime library"
fi

# Every dependency names a package this machine has installed: the machine that built the
# program has everything it links.
depends=$(dpkg-deb -f "$editor" Depends)
echo "zel-editor depends on: $depends"
for needed in libqt6widgets6 libqt6printsupport6 'libmagick\+\+' 'libstdc\+\+6' xdg-utils; do
    grep -Eq "(^|, )$needed[^,]*" <<<"$depends" || fail "zel-editor does not depend on $needed"
done
tr ',' '\n' <<<"$depends" | sed 's/([^)]*)//; s/ //g' | while read -r package; do
    dpkg-query -W "$package" >/dev/null 2>&1 || fail "zel-editor depends on unknown $package"
done
[ "$(dpkg-deb -f "$dev" Depends)" = "zel-editor (= 1.0.0)" ] ||
    fail "zel-editor-dev does not depend on this zel-editor"

dpkg-deb -x "$editor" "$here/root"
dpkg-deb -x "$dev" "$here/root"
bash "$root/tests/consumer/run.sh" --prefix "$here/root/usr"
echo "check_deb: $(basename "$editor") and $(basename "$dev") hold what they must"
