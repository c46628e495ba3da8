#!/usr/bin/env bash
# The built Debian package, unpacked into a scratch root and run from there
# as an ordinary user and as root, and checked by lintian.
#   installed-package.sh BUILD-DIR VERSION
set -euo pipefail
build=$1 version=$2
work=$(mktemp -d /tmp/kestra-pkg.XXXXXX)
pid=
# Whatever happened, nothing of the run stays behind.
cleanup() { [ -z "$pid" ] || kill -KILL "$pid" 2>/dev/null || true; rm -rf "$work"; }
trap cleanup EXIT
trap 'exit 1' INT TERM HUP
fail() { echo "FAIL: $*" >&2; exit 1; }

(cd "$build" && cpack -G DEB -B "$work/pkg" >/dev/null)
deb=$(ls "$work"/pkg/*.deb)
dpkg -x "$deb" "$work/root"
for f in usr/bin/kestra-ptlog usr/bin/kestra-ptlogini usr/lib/kestra-ptlog/libSaveJPG.so \
         usr/share/applications/kestra-ptlog.desktop usr/share/applications/kestra-ptlogini.desktop \
         usr/bin/kestra-ptlog-report usr/bin/kestra-ptlog-records usr/share/applications/kestra-ptlog-records.desktop \
         usr/share/man/man1/kestra-ptlog-records.1.gz usr/share/icons/hicolor/scalable/apps/kestra-ptlog.svg \
         usr/share/man/man1/kestra-ptlog.1.gz usr/share/man/man1/kestra-ptlogini.1.gz \
         usr/share/man/man1/kestra-ptlog-report.1.gz usr/share/doc/kestra-ptlog/copyright; do
  [ -e "$work/root/$f" ] || fail "the package lacks $f"
done
dpkg-deb -f "$deb" Depends | grep -q "fonts-ipafont-mincho.*libc6" || fail "fonts or libraries not declared"

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
# With no display at all the window programs say so in one line and end.
for p in kestra-ptlog kestra-ptlogini kestra-ptlog-records; do
  said=$(env -i HOME="$home" PATH=/usr/bin:/bin "$work/root/usr/bin/$p" 2>&1 </dev/null) && fail "$p started without a display"
  [ "$said" = "$p: no display to open the window on (DISPLAY is not set)" ] || fail "$p said '$said'"
done

# Started, then ended by the session's signal as `who` (nobody or root, each
# with a home of its own): the installed program keeps its display choices in that
# user's own settings file and writes nothing beside itself.
program="$work/root/usr/bin/kestra-ptlog"
beside_before=$(ls -A "$work/root/usr/bin" "$work/root/usr/lib/kestra-ptlog")
run_and_end() {
  local who=$1 home=$2 signal=$3 ready=
  mkdir -p "$home"
  chown "$who" "$home"
  # A simple command, so that $! is the program itself once it has started.
  setpriv --reuid="$who" --regid="$(id -g "$who")" --clear-groups \
    env -i HOME="$home" PATH=/usr/bin:/bin QT_QPA_PLATFORM=offscreen "$program" >"$work/out.log" 2>&1 </dev/null &
  pid=$!
  # Ready once the process is the program (not yet the shell or setpriv that
  # start it, which may catch SIGTERM too) and has its SIGTERM handler.
  for _ in $(seq 600); do
    kill -0 "$pid" 2>/dev/null || fail "the program ended by itself: $(cat "$work/out.log")"
    exe=$(readlink "/proc/$pid/exe" 2>/dev/null || true)
    mask=$(awk '/^SigCgt:/ {print $2}' "/proc/$pid/status" 2>/dev/null || true)
    if [ "$exe" = "$program" ] && [ -n "$mask" ] && (( (16#$mask >> 14) & 1 )); then ready=1; break; fi
    sleep 0.05
  done
  [ -n "$ready" ] || fail "the program did not get ready as $who: $(cat "$work/out.log")"
  kill "-$signal" "$pid"
  wait "$pid" || fail "the program did not end cleanly as $who on SIG$signal"
  pid=
  grep -q "^Scale=1MPa" "$home/.config/KESTRA PTLOG/KESTRA PTLOG.ini" || fail "no display choices for $who"
  [ "$(ls -A "$work/root/usr/bin" "$work/root/usr/lib/kestra-ptlog")" = "$beside_before" ] ||
    fail "files appeared beside the programs when run as $who"
}
# A logout hangs up, a shutdown terminates: both end the program as the session does.
run_and_end nobody "$work/home" HUP
run_and_end root "$work/roothome" TERM

# The report command answers as a command-line tool does.
"$work/root/usr/bin/kestra-ptlog-report" --help | grep -q "^Usage: kestra-ptlog-report" || fail "report --help"
for p in kestra-ptlog-report kestra-ptlog-records; do
  [ "$("$work/root/usr/bin/$p" --version)" = "$p $version" ] || fail "$p --version"
done

# Debian's own checks: no error; the warnings left are named in the README.
lintian --fail-on error "$deb" >"$work/lintian.log" 2>&1 || fail "lintian: $(cat "$work/lintian.log")"
echo "installed package: programs, library, desktop files, icon, man pages, lintian; runs as a user and as root"
