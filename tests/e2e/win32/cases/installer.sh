#!/usr/bin/env bash
# The installer, as a user and an administrator use it: a silent per-user install (program
# files, Start menu entry, start at login, "Apps & features"); an upgrade over a running Vantoly
# (its typed note saved, the login choice and the notes kept, the program given back); the
# uninstaller (the running program ended with its note saved, everything it installed removed,
# the notes kept unless asked).
source "$(dirname "$0")/../lib.sh"
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe=d"
wine_desktop_start

setup=$(ls "$BUILD"/vantoly-1.00-win64-setup.exe 2>/dev/null)
check "the installer is built" test -n "$setup"
RUN_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
UNINSTALL_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Vantoly'
key_value() { # key value
  "$WINE" reg query "$1" /v "$2" 2>/dev/null |
    awk -v k="$2" '$1 == k && $2 ~ /^REG_/ { sub(/^[ \t]*[^ \t]+[ \t]+REG_[A-Z_]+[ \t]+/, ""); sub(/\r$/, ""); print }'
}
key_gone() { ! "$WINE" reg query "$1" >/dev/null 2>&1; }
users=$(ls -d "$WINEPREFIX"/drive_c/users/*/AppData/Local/.. | grep -v /Public/ | head -n 1)
users=$(cd "$users" && pwd)
folder="$users/Local/Programs/Vantoly"
shortcut="$users/Roaming/Microsoft/Windows/Start Menu/Programs/Vantoly.lnk"
exe_path="C:\\users\\$(basename "$(dirname "$users")")\\AppData\\Local\\Programs\\Vantoly\\vantoly.exe"
window_gone() { ! drv visible >/dev/null 2>&1 && ! drv text txtNote >/dev/null 2>&1; }

"$WINE" "$setup" /S >"$WORK/setup1.log" 2>&1
for f in vantoly.exe Uninstall.exe LICENSE.txt alarm.wav Black/1.ico White/31.ico; do
  check "installed: $f" test -f "$folder/$f"
done
check "a Start menu entry" test -f "$shortcut"
same "starts at login" "$(key_value "$RUN_KEY" Vantoly)" "\"$exe_path\""
same "listed as" "$(key_value "$UNINSTALL_KEY" DisplayName) $(key_value "$UNINSTALL_KEY" DisplayVersion) by $(key_value "$UNINSTALL_KEY" Publisher)" \
  "Vantoly 1.00 by The Vantoly developers"
same "its folder" "$(key_value "$UNINSTALL_KEY" InstallLocation)" "${exe_path%\\vantoly.exe}"
same "its uninstaller" "$(key_value "$UNINSTALL_KEY" UninstallString)" "\"${exe_path%vantoly.exe}Uninstall.exe\""
same "silently" "$(key_value "$UNINSTALL_KEY" QuietUninstallString)" "\"${exe_path%vantoly.exe}Uninstall.exe\" /S"
same "its icon" "$(key_value "$UNINSTALL_KEY" DisplayIcon)" "$exe_path,0"
same "no modify, no repair" "$(key_value "$UNINSTALL_KEY" NoModify) $(key_value "$UNINSTALL_KEY" NoRepair)" "0x1 0x1"
size=$(key_value "$UNINSTALL_KEY" EstimatedSize)
check "its size in KB ($size)" test "$((size))" -gt 1000

# Started as login starts it, a note typed; the user turns start at login off; an upgrade.
"$WINE" "$exe_path" >"$WORK/installed.log" 2>&1 &
check "the installed program starts" wait_until 20 started
check "shown" show_by_tray
drv set-text txtNote "typed before the upgrade"
"$WINE" reg delete "$RUN_KEY" /v Vantoly /f >/dev/null 2>&1
"$WINE" "$setup" /S >"$WORK/setup2.log" 2>&1
same "the upgrade saved the typed note" "$(reg_value Note)" "typed before the upgrade"
same "and kept start at login off" "$(key_value "$RUN_KEY" Vantoly)" ""
check "and gave the program back" wait_until 20 started

# Uninstalling while it runs.
drv set-text txtNote "typed before the uninstall"
"$WINE" "$folder/Uninstall.exe" /S >"$WORK/uninstall1.log" 2>&1
check "the uninstaller ends" wait_until 30 key_gone "$UNINSTALL_KEY"
check "the program ended" wait_until 10 window_gone
same "with its typed note saved" "$(reg_value Note)" "typed before the uninstall"
check "its folder is removed" wait_until 10 test ! -e "$folder"
check "the Start menu entry is removed" test ! -e "$shortcut"

# Asked to, the uninstaller removes the notes too.
"$WINE" reg add "$RUN_KEY" /v Vantoly /d "\"$exe_path\"" /f >/dev/null 2>&1
"$WINE" "$setup" /S >"$WORK/setup3.log" 2>&1
check "installed again" test -f "$folder/vantoly.exe"
same "start at login: on, as found" "$(key_value "$RUN_KEY" Vantoly)" "\"$exe_path\""
"$WINE" "$folder/Uninstall.exe" /S /REMOVENOTES >"$WORK/uninstall2.log" 2>&1
check "uninstalled again" wait_until 30 key_gone "$UNINSTALL_KEY"
check "start at login removed" wait_until 10 test -z "$(key_value "$RUN_KEY" Vantoly)"
check "the notes removed" wait_until 10 key_gone "$SETTINGS_KEY"
finish
