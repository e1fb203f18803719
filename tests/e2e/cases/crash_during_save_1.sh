#!/usr/bin/env bash
# Killed while saving, tries 1 to 25 of a hundred.
TRY_FIRST=1 TRY_LAST=25 CASE_NAME=$(basename "$0" .sh) exec bash "$(dirname "$0")/../parts/crash_during_save.sh"
