#!/usr/bin/env bash
# Killed while saving, tries 51 to 75 of a hundred.
TRY_FIRST=51 TRY_LAST=75 CASE_NAME=$(basename "$0" .sh) exec bash "$(dirname "$0")/../parts/crash_during_save.sh"
