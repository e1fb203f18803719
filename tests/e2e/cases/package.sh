#!/usr/bin/env bash
# Vantoly installed as users get it: `cmake --install --prefix` lays out the program, its menu
# entry, icons, AppStream data, manual page and autostart entry, all of which validate; the
# Debian package passes lintian, installs with apt-get, runs from /usr/bin with its read-only
# application folder untouched (the scratch icon goes to the user's cache), writes nothing
# outside the user's config and cache folders, and purges cleanly; the RPM passes rpmlint and
# holds the same files under the same licence.
# time limit: 480 s
# (two packages built and linted: on a busy machine that alone can take three minutes)
source "$(dirname "$0")/../lib.sh"
desktop_start

prefix="$WORK/prefix"
cmake --install "$BUILD" --prefix "$prefix" >"$WORK/install.log" 2>&1
check "the program is in lib/vantoly with its data" \
  test -x "$prefix/lib/vantoly/vantoly" -a -d "$prefix/lib/vantoly/Black" -a \
  -d "$prefix/lib/vantoly/White" -a -f "$prefix/lib/vantoly/alarm.wav"
same "bin/vantoly links to it" "$(readlink "$prefix/bin/vantoly")" "../lib/vantoly/vantoly"
check "icons in the hicolor theme" test -f "$prefix/share/icons/hicolor/scalable/apps/vantoly.svg" \
  -a -f "$prefix/share/icons/hicolor/16x16/apps/vantoly.png" \
  -a -f "$prefix/share/icons/hicolor/256x256/apps/vantoly.png"
check "the menu entry validates" desktop-file-validate "$prefix/share/applications/vantoly.desktop"
check "the autostart entry validates" \
  desktop-file-validate "$prefix/etc/xdg/autostart/vantoly.desktop"
check "the autostart entry waits for the panel" \
  grep -q '^X-LXQt-Need-Tray=true' "$prefix/etc/xdg/autostart/vantoly.desktop"
appstream_valid() { appstreamcli validate --no-net "$1" >"$WORK/appstream.log" 2>&1; }
check "the AppStream data validates" \
  appstream_valid "$prefix/share/metainfo/org.vantoly.Vantoly.metainfo.xml"
check "under the MIT licence" grep -qx 'License: MIT' "$prefix/share/doc/vantoly/copyright"
man_clean() { [ -z "$(man --warnings -l "$1" 2>&1 >/dev/null)" ]; }
check "the manual page shows without a warning" man_clean "$prefix/share/man/man1/vantoly.1.gz"

# Installed into a user's home, it starts at login from where the desktop looks.
other="$WORK/other"
HOME=$other XDG_CONFIG_HOME=$other/.config cmake --install "$BUILD" --prefix "$other/.local" \
  >"$WORK/install-home.log" 2>&1
entry="$other/.config/autostart/vantoly.desktop"
check "a home install's login entry is in the user's autostart folder" \
  desktop-file-validate "$entry"
same "and starts the program it installed" "$(grep '^Exec=' "$entry")" \
  "Exec=$other/.local/bin/vantoly"

if [ "$(id -u)" -ne 0 ]; then
  log "not root: the Debian package is built but not installed"
  (cd "$BUILD" && cpack -G DEB >"$WORK/cpack.log" 2>&1)
  check "the package is built" test -f "$BUILD/vantoly_1.00_$(dpkg --print-architecture).deb"
  finish
fi

deb="$BUILD/vantoly_1.00_$(dpkg --print-architecture).deb"
rm -f "$deb"
(cd "$BUILD" && cpack -G DEB >"$WORK/cpack.log" 2>&1)
check "the package is built" test -f "$deb"
check "its dependencies come from the linked libraries" \
  eval 'dpkg-deb -f "$deb" Depends | grep -q libqt6widgets6'
check "lintian finds no error and no warning" \
  eval 'lintian --display-info --fail-on error,warning "$deb" >"$WORK/lintian.log" 2>&1'
grep -E '^[EW]:|hardening' "$WORK/lintian.log" | while IFS= read -r line; do log "lintian: $line"; done
check "and the program and its sound module are hardened" not grep -q hardening "$WORK/lintian.log"

# rpm and rpmlint keep files of their own in the home (a database, a spelling dictionary).
rpmtool() { HOME="$WORK/rpm-home" XDG_CONFIG_HOME="$WORK/rpm-home/.config" "$@"; }
(cd "$BUILD" && rpmtool cpack -G RPM >"$WORK/cpack-rpm.log" 2>&1)
rpm=$(ls "$BUILD"/vantoly-1.00-*.rpm 2>/dev/null | head -n 1)
check "the RPM is built" test -n "$rpm"
rpmlint_clean() {
  rpmtool rpmlint -r "$E2E_DIR/../../packaging/linux/vantoly.rpmlintrc" "$rpm" >"$WORK/rpmlint.log" 2>&1
  grep -q ' 0 errors' "$WORK/rpmlint.log"
}
check "rpmlint finds no error" rpmlint_clean
grep -E ': E: ' "$WORK/rpmlint.log" | while IFS= read -r line; do log "rpmlint: $line"; done
files_of_deb() { dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { sub(/^\./, "", $6); print $6 }' | sort; }
files_of_rpm() {
  rpmtool rpm -qp --qf '[%{FILEMODES:perms} %{FILENAMES}\n]' "$rpm" 2>/dev/null | awk '$1 !~ /^d/ { print $2 }' | sort
}
same "the RPM holds the DEB's files in the same places" "$(files_of_rpm)" "$(files_of_deb)"
same "under the same licence" "$(rpmtool rpm -qp --qf '%{LICENSE}' "$rpm" 2>/dev/null)" MIT
check "it needs Qt 6 by Fedora's names" \
  eval 'rpmtool rpm -qp --requires "$rpm" 2>/dev/null | grep -q "^qt6-qtbase-gui"'
apt-get remove -y -qq vantoly >/dev/null 2>&1
check "apt-get installs it" eval 'DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$deb" >"$WORK/apt.log" 2>&1'
check "the login entry is in /etc/xdg/autostart" test -f /etc/xdg/autostart/vantoly.desktop
before=$(cd /usr/lib/vantoly && find . -printf '%p %s %T@\n' | sort)

# An unprivileged user, as every real user is, with a session bus of the user's own, as every
# desktop session has (without one, Qt starts its own where dbus-x11 is installed, and that
# writes into the home).
chown -R 65534:65534 "$HOME" "$XDG_RUNTIME_DIR"
chmod a+x "$WORK"
setpriv --reuid=65534 --regid=65534 --clear-groups dbus-daemon --session --nofork \
  --print-address=3 3>"$WORK/bus" >"$WORK/bus.log" 2>&1 &
PIDS+=($!)
wait_until 10 grep -qs . "$WORK/bus" || fail "the user's session bus did not start"
export DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$WORK/bus")
APP=/usr/bin RUN_AS=65534 vantoly_start
check "the installed program's icon is embedded" wait_until 5 tray_icons_are 1
store_settings "Note=from the package" "Indicator=1"
kill "$VANTOLY_PID"
wait_until 5 gone "$VANTOLY_PID"
chown -R 65534:65534 "$XDG_CONFIG_HOME"
APP=/usr/bin RUN_AS=65534 vantoly_start
check "with a note: icon embedded" wait_until 5 tray_icons_are 1
check "the scratch icon is in the user's cache" wait_until 3 test -s "$XDG_CACHE_HOME/Vantoly/tmp.ico"
kill "$VANTOLY_PID"
wait_until 5 gone "$VANTOLY_PID"
same "the application folder is untouched" "$(cd /usr/lib/vantoly && find . -printf '%p %s %T@\n' | sort)" "$before"
same "nothing is written outside the user's config and cache" \
  "$(cd "$HOME" && find . -type f -not -path './.cache/*' | sort | tr '\n' ' ')" \
  "./.config/Vantoly/Vantoly.ini "
check "the saved settings hold the note" grep -q '^Note=from the package' "$INI"

check "apt-get purges it" eval 'apt-get purge -y -qq vantoly >>"$WORK/apt.log" 2>&1'
check "and nothing of it is left" \
  test ! -e /usr/lib/vantoly -a ! -e /usr/bin/vantoly -a ! -e /etc/xdg/autostart/vantoly.desktop
finish
