#!/usr/bin/env bash
# Builds velnor_<version>-1_amd64.deb from a native build folder:
#   make_deb.sh BUILD_DIR VERSION WORK_DIR OUT_DIR
# The files come from the build's install rules (prefix /usr); the package adds its
# documentation, dependencies from dpkg-shlibdeps and md5sums. Every file is dated
# SOURCE_DATE_EPOCH and owned by root, so the same build gives the same package.
set -euo pipefail
build=$1 version=$2 work=$3 out=$4
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
: "${SOURCE_DATE_EPOCH:?}"
umask 022

rm -rf "$work"
stage=$work/stage
doc=$stage/usr/share/doc/velnor
mkdir -p "$stage/DEBIAN" "$doc" "$work/shlibs/debian"
DESTDIR=$stage cmake --install "$build" --prefix /usr >/dev/null
program=$stage/usr/libexec/xscreensaver/velnor
strip --remove-section=.comment --remove-section=.note --strip-unneeded "$program"
chmod 0755 "$program"
gzip -9n "$stage/usr/share/man/man6/velnor.6"

sed -e "s/@VERSION@/$version/" -e "s/@DATE@/$(date -u -R -d "@$SOURCE_DATE_EPOCH")/" \
  "$here/debian/changelog.in" | gzip -9n > "$doc/changelog.Debian.gz"
# The changelog as released: the unreleased entries under this version and commit date.
python3 "$here/release_changelog.py" "$version" "$(date -u +%F -d "@$SOURCE_DATE_EPOCH")" \
  < "$root/CHANGELOG.md" | gzip -9n > "$doc/changelog.gz"
install -m 0644 "$here/debian/copyright" "$here/debian/README.Debian" "$doc/"

# Run-time libraries as dpkg-shlibdeps finds them (it reads a debian/control).
printf 'Source: velnor\n\nPackage: velnor\nArchitecture: amd64\n' > "$work/shlibs/debian/control"
depends=$(cd "$work/shlibs" && dpkg-shlibdeps -O -e"$program" 2>/dev/null |
          sed -n 's/^shlibs:Depends=//p')
[[ -n $depends ]] || { echo "make_deb: dpkg-shlibdeps found no dependencies" >&2; exit 1; }
size=$(du -sk --apparent-size --exclude=DEBIAN "$stage" | cut -f1)
sed -e "s/@VERSION@/$version/" -e "s/@INSTALLED_SIZE@/$size/" -e "s/@DEPENDS@/$depends/" \
  "$here/debian/control.in" > "$stage/DEBIAN/control"
# A Homepage field only for a real address (VELNOR_HOMEPAGE_URL, as make_dist.sh sets it).
if [[ -n ${VELNOR_HOMEPAGE_URL:-} ]]; then
  sed -i "/^Priority:/a Homepage: $VELNOR_HOMEPAGE_URL" "$stage/DEBIAN/control"
fi
(cd "$stage" && find usr -type f | LC_ALL=C sort | xargs md5sum > DEBIAN/md5sums)
chmod 0644 "$stage/DEBIAN/control" "$stage/DEBIAN/md5sums"

find "$stage" -exec touch --no-dereference --date="@$SOURCE_DATE_EPOCH" {} +
dpkg-deb --root-owner-group -Zxz --build "$stage" "$out/velnor_${version}-1_amd64.deb" >/dev/null
