#!/usr/bin/env bash
# The built Debian package, unpacked into a scratch root and run from there
# as an ordinary user: nothing beside the installed program is writable.
#   installed-package.sh BUILD-DIR VERSION
set -euo pipefail
build=$1 version=$2
work=$(mktemp -d /tmp/kestra-pkg.XXXXXX)
pid=
cleanup() { [ -n "$pid" ] && kill -KILL "$pid" 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

(cd "$build" && cpack -G DEB -B "$work/pkg" >/dev/null)
deb=$(ls "$work"/pkg/*.deb)
dpkg -x "$deb" "$work/root"
for f in usr/bin/kestra-ptlog usr/bin/kestra-ptlogini usr/lib/kestra-ptlog/libSaveJPG.so \
         usr/share/applications/kestra-ptlog.desktop usr/share/applications/kestra-ptlogini.desktop \
         usr/share/icons/hicolor/scalable/apps/kestra-ptlog.svg usr/share/man/man1/kestra-ptlog.1; do
  [ -e "$work/root/$f" ] || fail "the package lacks $f"
done
dpkg-deb -f "$deb" Depends | grep -q fonts-ipafont-mincho || fail "fonts not declared"

home="$work/home"
mkdir -p "$home"
chmod 755 "$work"
chown nobody "$home"
as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups
         env -i HOME="$home" PATH=/usr/bin:/bin QT_QPA_PLATFORM=offscreen)
run() { "${as_user[@]}" "$@"; }

out=$(cd "$home" && run "$work/root/usr/bin/kestra-ptlog" --version)
[ "$out" = "kestra-ptlog $version" ] || fail "--version said '$out'"
[ -z "$(ls -A "$home")" ] || fail "--version created files: $(ls -A "$home")"
(cd "$home" && run "$work/root/usr/bin/kestra-ptlogini" --help) | grep -q "Usage: kestra-ptlogini" ||
  fail "--help"

# Ended by the session, the installed program keeps its display choices in
# the user's own settings file.
# A simple command, so that $! is the program itself.
"${as_user[@]}" "$work/root/usr/bin/kestra-ptlog" >"$work/out.log" 2>&1 </dev/null &
pid=$!
for _ in $(seq 400); do
  kill -0 "$pid" 2>/dev/null || fail "the program ended by itself: $(cat "$work/out.log")"
  mask=$(awk '/^SigCgt:/ {print $2}' "/proc/$pid/status" 2>/dev/null || true)
  [ -n "$mask" ] && (( (16#$mask >> 14) & 1 )) && break
  sleep 0.05
done
kill -TERM "$pid"
wait "$pid" || fail "the program did not end cleanly"
pid=
ini="$home/.config/KESTRA PTLOG/KESTRA PTLOG.ini"
grep -q "^Scale=1MPa" "$ini" || fail "no display choices in $ini"
echo "installed package: programs, library, desktop files, icon, man pages; runs as an ordinary user"
