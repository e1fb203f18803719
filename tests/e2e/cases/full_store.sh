#!/usr/bin/env bash
# A settings store on a full file system (a small tmpfs): Vantoly starts, says once on standard
# error that the settings cannot be saved and where, keeps the note on screen, and the file on
# disk stays whole, not truncated by a write that ran out of room.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../parts/unwritable_store.sh"
desktop_start

store_settings "Note=kept on disk" "Title1=Mine"
conf=$(dirname "$INI")
mv "$conf" "$WORK/conf.saved" && mkdir "$conf"
if ! mount -t tmpfs -o size=64k,mode=0700 tmpfs "$conf" 2>/dev/null; then
  log "cannot mount a tmpfs here: skipped"; mv -T "$WORK/conf.saved" "$conf"; finish
fi
unmount() { umount "$conf" 2>/dev/null; }
cp "$WORK/conf.saved/Vantoly.ini" "$INI"
dd if=/dev/zero of="$conf/filler" bs=4k 2>/dev/null
cp "$INI" "$WORK/before.ini"

vantoly_start
unwritable_store_checks "the disk is full"
check "the file on disk is whole" cmp -s "$INI" "$WORK/before.ini"
check "and no temporary file was left" test "$(ls -A "$conf" | sort | tr '\n' ' ')" = "Vantoly.ini filler "
unmount
finish
