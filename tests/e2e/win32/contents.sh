#!/usr/bin/env bash
# By inspection, for an installer this machine cannot run (the 32-bit one): it is a Windows
# program of the build's machine type and installs exactly what the ZIP holds, plus the
# uninstaller; the program in them carries no debugging information and asks for ASLR and DEP. Usage: contents.sh BUILD_DIR win32|win64
set -u
build=$1 name=$2
setup="$build/vantoly-1.00-$name-setup.exe" zip="$build/vantoly-1.00-$name.zip"
fail() { echo "installer contents: $*" >&2; exit 1; }
[ -f "$setup" ] && [ -f "$zip" ] || fail "$setup or $zip is missing"
want=$([ "$name" = win64 ] && echo pei-x86-64 || echo pei-i386)
objdump -f "$setup" 2>/dev/null | grep -q "file format $want" || fail "$setup is not $want"
installs=$(7z l -slt "$setup" | awk -F' = ' -v self="$setup" '$1 == "Path" && $2 != self { print $2 }' | grep -v '^\$PLUGINSDIR' | sort)
zipped=$({ unzip -Z1 "$zip" | grep -v '/$' | sed 's|^[^/]*/||'; echo Uninstall.exe; } | sort)
[ "$installs" = "$zipped" ] || fail "$setup installs other files than the ZIP holds:
$(diff <(echo "$zipped") <(echo "$installs"))"
program=$(mktemp)
unzip -p "$zip" '*/vantoly.exe' >"$program"
objdump -h "$program" | grep -q '\.debug' && { rm -f "$program"; fail "vantoly.exe is not stripped"; }
# Hardened as Windows asks: ASLR (high-entropy where 64-bit) and DEP.
flags=$(objdump -p "$program" | awk '/^DllCharacteristics/ { print $2 }')
want=$([ "$name" = win64 ] && echo 00000160 || echo 00000140)
[ $(( 0x$flags & 0x$want )) -eq $(( 0x$want )) ] || { rm -f "$program"; fail "vantoly.exe asks for no ASLR or DEP ($flags)"; }
echo "installer contents: vantoly.exe is $(( $(stat -c %s "$program") / 1024 )) kB, stripped, ASLR and DEP ($flags)"
rm -f "$program"
echo "installer contents: $setup installs the $(echo "$zipped" | wc -l) files expected"
