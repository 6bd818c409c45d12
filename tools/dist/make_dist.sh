#!/usr/bin/env bash
# Builds what users download into dist/ (or $DIST_DIR): the Windows installer, the MSI for
# administrators, the Windows zip, the source tarball, the Debian package built from that
# tarball's debian/ by dpkg-buildpackage, and SHA256SUMS, all of the CMake project version,
# reproducibly (the same commit gives the same bytes in any folder). With SIGN_CERT and
# SIGN_KEY (PEM files) Velnor.scr, the installer, its uninstaller and the MSI are signed
# with osslsigncode.
# VELNOR_HOMEPAGE_URL (an http(s) address) is the homepage of the dialog's link, the "Apps"
# entry and the package; without it they name none.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"
out=$(realpath -m "${DIST_DIR:-dist}")
build=$root/build/dist
sign_cert=${SIGN_CERT:-}
sign_key=${SIGN_KEY:-}
if [[ -n $sign_cert || -n $sign_key ]] && [[ ! -f $sign_cert || ! -f $sign_key ]]; then
  echo "make_dist: SIGN_CERT and SIGN_KEY must both name PEM files" >&2
  exit 2
fi

# Every date in the artefacts is the last commit's; file names and sort order do not
# depend on the locale; paths inside the programs are relative to the source folder.
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}
export TZ=UTC LC_ALL=C.UTF-8
umask 022
prefix_map="-ffile-prefix-map=$root=."
# The release programs are compiled afresh, never taken from a compiler cache: their bytes
# are what the reproducibility test compares.
export CCACHE_DISABLE=1
jobs=${JOBS:-$(nproc)}

# One build at a time in this tree; the reproducibility test waits on the same lock
# before it compares with what the build wrote.
mkdir -p "$build"
exec 9>"$build/.lock"
flock 9

# velnor-<version>.tar.gz: the commit's files, dated by it. Local changes to tracked files
# go in as the rest of the build sees them, through a commit of the tree that git makes
# without touching it, dated as the last one. The Debian package is built from it
# unpacked, as anyone with the tarball builds it: dpkg-buildpackage with debian/rules,
# whose flags add every hardening feature and map the unpacked folder away.
build_source_and_deb() {
  local tree changed name=velnor-$version package_version
  package_version=$(dpkg-parsechangelog -l debian/changelog -S Version)
  if [[ ${package_version%-*} != "$version" ]]; then
    echo "make_dist: debian/changelog is of $package_version, the project of $version" >&2
    exit 1
  fi
  changed=$(GIT_AUTHOR_NAME=make_dist GIT_AUTHOR_EMAIL=velnor@localhost \
            GIT_COMMITTER_NAME=make_dist GIT_COMMITTER_EMAIL=velnor@localhost \
            GIT_AUTHOR_DATE="@$SOURCE_DATE_EPOCH" GIT_COMMITTER_DATE="@$SOURCE_DATE_EPOCH" \
            git stash create)
  tree=${changed:-HEAD}
  git archive --format=tar --prefix="$name/" "$tree" | gzip -9n > "$out/$name.tar.gz"
  rm -rf "$build/deb"
  mkdir -p "$build/deb"
  tar -xzf "$out/$name.tar.gz" -C "$build/deb"
  (cd "$build/deb/$name" &&
    DEB_BUILD_OPTIONS="parallel=$jobs" dpkg-buildpackage -us -uc -b >../build.log 2>&1) ||
    { tail -n 40 "$build/deb/build.log" >&2; exit 1; }
  cp "$build/deb/velnor_${package_version}_amd64.deb" "$out/"
}

# Velnor.scr: the windows preset in a folder of its own, with build paths mapped away; ld,
# strip and objcopy stamp the PE header with SOURCE_DATE_EPOCH.
homepage=${VELNOR_HOMEPAGE_URL:-}
export VELNOR_HOMEPAGE_URL=$homepage
cmake --preset windows -B "$build/windows" -DVELNOR_CCACHE=OFF -DCMAKE_CXX_FLAGS="$prefix_map" \
  -DVELNOR_HOMEPAGE_URL="$homepage" >/dev/null
# Linked afresh each time, so that its PE stamp is this commit's even when no source changed.
rm -f "$build/windows/bin/Velnor.scr"
cmake --build "$build/windows" --target Velnor -j "$jobs"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/windows/CMakeCache.txt")
[[ -n $version ]] || { echo "make_dist: no project version in the CMake cache" >&2; exit 1; }

rm -rf "$out" "$build/stage"
mkdir -p "$out" "$build/stage"
scr=$build/stage/Velnor.scr
cp "$build/windows/bin/Velnor.scr" "$scr"
nsis_options=()
[[ -z $homepage ]] || nsis_options=(-DHOMEPAGE="$homepage")
if [[ -n $sign_cert ]]; then
  sign="$root/tools/dist/sign.sh $(realpath "$sign_cert") $(realpath "$sign_key")"
  $sign "$scr"
  nsis_options+=(-DSIGN_COMMAND="$sign")
fi

makensis -V2 -WX -INPUTCHARSET UTF8 -DVERSION="$version" -DSCR="$scr" \
  -DLICENSE_FILE="$root/LICENSE" -DOUTFILE="$out/Velnor-$version-setup.exe" \
  "${nsis_options[@]}" tools/dist/velnor.nsi
# The MSI for administrators. Its product code is new with each version, so that a higher
# version replaces the installed one; its package code follows from what it holds.
product_code=$(python3 -c 'import sys, uuid
print(str(uuid.uuid5(uuid.NAMESPACE_URL, "velnor-msi-product/" + sys.argv[1])).upper())' "$version")
package_code=$(python3 -c 'import sys, uuid
print(str(uuid.uuid5(uuid.NAMESPACE_URL, "velnor-msi-package/" + sys.argv[1])).upper())' \
  "$version/$(sha256sum "$scr" | cut -d" " -f1)")
msi=$out/Velnor-$version-x64.msi
# wixl finds files relative to the folder it runs in; its cabinet keeps the file's time.
touch --date="@$SOURCE_DATE_EPOCH" "$scr"
(cd "$(dirname "$scr")" && wixl -a x64 -D Version="$version" -D Scr="$(basename "$scr")" \
  -D ProductCode="$product_code" -o "$msi" "$root/tools/dist/velnor.wxs")
python3 tools/dist/stamp_msi.py "$msi" "{$package_code}"
[[ -z $sign_cert ]] || $sign "$msi"
python3 tools/dist/make_zip.py "$out/Velnor-$version-windows-x64.zip" \
  "$scr" tools/dist/readme.txt "$root/LICENSE"
build_source_and_deb

(cd "$out" && sha256sum -- *.exe *.msi *.zip *.tar.gz *.deb > SHA256SUMS)
# Which commit each output folder holds, and whether tracked files differed from it (the
# reproducibility test compares a clone's build with dist/ only when it holds HEAD).
state=clean
[[ -z $(git status --porcelain --untracked-files=no) ]] || state=changed
# One line per output folder: "commit state folder".
marker=$build/built-from
touch "$marker"
{ awk -v out="$out" '$3 != out' "$marker"; echo "$(git rev-parse HEAD) $state $out"; } \
  > "$marker.new"
mv "$marker.new" "$marker"
ls -l "$out"
