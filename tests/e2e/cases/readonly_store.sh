#!/usr/bin/env bash
# A settings store that cannot be written (a read-only configuration folder): Vantoly starts,
# says once on standard error that the settings cannot be saved and where, keeps the note on
# screen, and loses nothing that was on disk. Root writes everywhere, so the program runs as an
# unprivileged user.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../parts/unwritable_store.sh"
desktop_start
[ "$(id -u)" -eq 0 ] || { log "not root: cannot run as another user, skipped"; finish; }

store_settings "Note=kept on disk" "Title1=Mine"
chmod -R a+rX "$WORK" "$HOME"
# The configuration folder stays root's: readable, not writable, for the program's user.
mkdir -p "$XDG_CACHE_HOME"
chown -R 65534:65534 "$XDG_RUNTIME_DIR" "$XDG_CACHE_HOME"
cp "$INI" "$WORK/before.ini"
RUN_AS=65534 vantoly_start
unwritable_store_checks "permission denied"
check "nothing on disk was lost" cmp -s "$INI" "$WORK/before.ini"
finish
