#!/usr/bin/env bash
# Builds the Debian package and checks it: unpacked into a scratch root, its
# desktop entry and AppStream metainfo validate, lintian finds no error, the
# help file lies beside the real program, and the installed program starts,
# reaches its event loop with the splash shown, and ends cleanly on SIGTERM,
# both from a terminal (keeping the folder) and through the menu's launcher
# (in ~/Aerokit, made on first start).
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR="${1:-build}"
APP_ID=io.github.aerokit.Aerokit

bash scripts/build.sh "$BUILD_DIR"
rm -f "$BUILD_DIR"/aerokit_*.deb
(cd "$BUILD_DIR" && cpack -G DEB)
deb=$(ls "$BUILD_DIR"/aerokit_*.deb)
echo "-- $deb"
dpkg-deb --field "$deb"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
root="$scratch/root"
dpkg -x "$deb" "$root"

desktop-file-validate "$root/usr/share/applications/$APP_ID.desktop"
appstreamcli validate --no-net "$root/usr/share/metainfo/$APP_ID.metainfo.xml"
lintian --fail-on error --info "$deb"

# The program finds its help file in the directory of its resolved executable.
program=$(readlink -f "$root/usr/bin/aerokit")
test -x "$program" && test -s "$(dirname "$program")/Aerokit.hlp"
for size in 16 32 48 64 128 256; do
  test -s "$root/usr/share/icons/hicolor/${size}x${size}/apps/$APP_ID.png"
done
test -s "$root/usr/share/icons/hicolor/scalable/apps/$APP_ID.svg"
# The converter comes along, with its manual page.
"$root/usr/bin/aerokit-convert" --version
test -s "$root/usr/share/man/man1/aerokit-convert.1.gz"

# smoke <expected folder> <command...>: starts the program offscreen, checks it
# is still running in <expected folder> after a moment, then sends SIGTERM and
# expects a clean exit (status 0: the handler ran in the event loop).
smoke() {
  local expected=$1
  shift
  QT_QPA_PLATFORM=offscreen "$@" &
  local pid=$!
  sleep 3
  if ! kill -0 "$pid" 2>/dev/null; then
    wait "$pid" || true
    echo "aerokit ended by itself" >&2
    return 1
  fi
  # The launcher has exec'd the program, so this is the program's own folder.
  local folder
  folder=$(readlink "/proc/$pid/cwd")
  kill -TERM "$pid"
  local status=0
  wait "$pid" || status=$?
  if [ "$folder" != "$expected" ]; then
    echo "aerokit ran in $folder, not $expected" >&2
    return 1
  fi
  if [ "$status" -ne 0 ]; then
    echo "aerokit ended with status $status on SIGTERM" >&2
    return 1
  fi
}
mkdir -p "$scratch/terminal" "$scratch/home"
(cd "$scratch/terminal" && smoke "$scratch/terminal" "$root/usr/bin/aerokit")
exec_line=$(sed -n 's/^Exec=//p' "$root/usr/share/applications/$APP_ID.desktop")
test "$exec_line" = /usr/libexec/aerokit/aerokit-launcher
(cd / && HOME="$scratch/home" smoke "$scratch/home/Aerokit" "$root$exec_line")
echo "-- package checked"
