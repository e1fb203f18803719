#!/usr/bin/env bash
# The ZIP holds everything a user unzips and runs; the program needs no DLL beyond Windows' own
# and says what it is, and whose, in its version resource; its licence comes with it, and a readme
# that says how to make it portable.
source "$(dirname "$0")/../lib.sh"
WORK=$(mktemp -d "/tmp/vantoly-w32-$CASE_NAME.XXXXXX")
export WINEPREFIX="$WORK/prefix"
trap wine_desktop_stop EXIT

zip=$(ls "$BUILD"/vantoly-1.00-win*.zip 2>/dev/null | head -n 1)
check "the ZIP is built" test -n "$zip"
listing=$(unzip -Z1 "$zip" 2>/dev/null)
for f in vantoly.exe LICENSE.txt README.txt alarm.wav Black/1.ico Black/31.ico White/1.ico White/31.ico; do
  check "the ZIP holds $f" grep -q "/$f\$" <<<"$listing"
done
check "its readme says how to make it portable" \
  eval 'unzip -p "$zip" "*/README.txt" | grep -q "empty file named Vantoly.ini"'
dlls=$(x86_64-w64-mingw32-objdump -p "$BUILD/vantoly.exe" | awk '/DLL Name:/ { print tolower($3) }' | sort | tr '\n' ' ')
same "only Windows' own DLLs" "$dlls" "advapi32.dll comctl32.dll gdi32.dll kernel32.dll msvcrt.dll ole32.dll shell32.dll user32.dll version.dll winmm.dll "
same "its version resource" "$(drv version "$(winepath_of "$BUILD/vantoly.exe")" | tr -d '\r')" "ProductName Vantoly
FileVersion 1.00
LegalCopyright Copyright (c) 2026 The Vantoly developers"
finish
