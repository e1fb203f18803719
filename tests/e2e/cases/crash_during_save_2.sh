#!/usr/bin/env bash
# Killed while saving, tries 26 to 50 of a hundred.
TRY_FIRST=26 TRY_LAST=50 CASE_NAME=$(basename "$0" .sh) exec bash "$(dirname "$0")/../parts/crash_during_save.sh"
