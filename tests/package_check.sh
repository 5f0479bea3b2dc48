#!/usr/bin/env bash
# Builds the Debian package from the programs of this build folder, unpacks it
# into a temporary root and checks what lands where: the program folder under
# /opt/ostrapel, the database only as a template, the desktop entry, icon and
# documentation, ostrapel-cli on the PATH, runtime dependencies only, no
# lintian error. Then the maintainer script, run on that root, must put a
# database in place where none is and leave an existing one alone, and the
# unpacked ostrapel-cli must work in its program folder.
#   package_check.sh BUILD_DIR
set -uo pipefail
build=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# the build's binaries as they are: cpack's build step finds them up to date
if ! cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/out" >"$work/cpack.log" 2>&1; then
  cat "$work/cpack.log"
  echo "0 passed, 1 failed"
  exit 1
fi
debs=("$work"/out/ostrapel_*.deb)
if [[ ${#debs[@]} -ne 1 || ! -f ${debs[0]} ]]; then
  ls -l "$work/out"
  echo "0 passed, 1 failed"
  exit 1
fi
deb=${debs[0]}

[[ $(dpkg-deb -f "$deb" Package) == ostrapel ]] || fail "package name"
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 libqt6charts6 libqt6sql6-sqlite qt6-translations-l10n adduser; do
  grep -qE "(^|, )$needed( |,|$)" <<<"$depends" || fail "Depends lacks $needed: $depends"
done
if grep -qE -- '-dev( |,|$)' <<<"$depends"; then fail "Depends names a build-only package: $depends"; fi

echo "Depends: $depends"
root="$work/root"
dpkg -x "$deb" "$root"
for f in opt/ostrapel/ostrapel opt/ostrapel/ostrapel-cli; do
  [[ -f $root/$f && -x $root/$f ]] || fail "$f missing or not executable"
done
for f in opt/ostrapel/Help/Help.Htm opt/ostrapel/delivered/borderel.db usr/share/applications/ostrapel.desktop \
  usr/share/icons/hicolor/scalable/apps/ostrapel.svg usr/share/doc/ostrapel/copyright \
  usr/share/doc/ostrapel/changelog.gz usr/share/lintian/overrides/ostrapel; do
  [[ -f $root/$f ]] || fail "$f missing"
done
# users' data is never a file of the package: an upgrade would replace it, a removal delete it
if dpkg-deb -c "$deb" | grep -qE '\./opt/ostrapel/(db|Settings|Import|Export)/'; then
  fail "the package holds the users' folders: $(dpkg-deb -c "$deb" | grep -E '/opt/ostrapel/(db|Settings)/')"
fi
[[ $(readlink "$root/usr/bin/ostrapel-cli") == /opt/ostrapel/ostrapel-cli ]] || fail "usr/bin/ostrapel-cli is no link to the program"
grep -qx 'Exec=/opt/ostrapel/ostrapel' "$root/usr/share/applications/ostrapel.desktop" || fail "desktop entry does not start /opt/ostrapel/ostrapel"
grep -qx 'Icon=ostrapel' "$root/usr/share/applications/ostrapel.desktop" || fail "desktop entry icon"
if dpkg-deb -c "$deb" | grep -vE '^[^ ]+ root/root ' | grep -q .; then fail "files not owned by root"; fi

# the maintainer script on the unpacked root: a database where none is, an existing one kept
dpkg-deb -e "$deb" "$work/control"
DPKG_ROOT="$root" sh "$work/control/postinst" configure || fail "postinst failed"
cmp -s "$root/opt/ostrapel/delivered/borderel.db" "$root/opt/ostrapel/db/borderel.db" || fail "postinst put no database in place"
for d in db Settings Export Import ErrorLogs Info Plugins SqlScripts; do
  [[ -d $root/opt/ostrapel/$d ]] || fail "postinst made no $d folder"
done
[[ $(stat -c %a "$root/opt/ostrapel/db") == 2770 ]] || fail "db folder mode $(stat -c %a "$root/opt/ostrapel/db")"
echo kept >"$root/opt/ostrapel/db/borderel.db"
DPKG_ROOT="$root" sh "$work/control/postinst" configure 1.0.0 || fail "postinst failed on upgrade"
grep -qx kept "$root/opt/ostrapel/db/borderel.db" || fail "postinst replaced an existing database"

# the unpacked program finds its folder beside itself
cp "$root/opt/ostrapel/delivered/borderel.db" "$root/opt/ostrapel/db/borderel.db"
if ! out=$(QT_QPA_PLATFORM=offscreen "$root/opt/ostrapel/ostrapel-cli" collectivities 2>&1); then
  fail "the unpacked ostrapel-cli does not run: $out"
fi

if command -v lintian >/dev/null; then
  lintian --fail-on error "$deb" >"$work/lintian.log" 2>&1 || fail "lintian: $(grep -E '^E:' "$work/lintian.log")"
  echo "lintian:"
  cat "$work/lintian.log"
else
  fail "lintian is missing (scripts/setup-deps installs it)"
fi

if ((failures)); then
  echo "0 passed, 1 failed"
  exit 1
fi
echo "1 passed, 0 failed"
