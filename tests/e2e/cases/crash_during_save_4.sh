#!/usr/bin/env bash
# Killed while saving, tries 76 to 100 of a hundred.
TRY_FIRST=76 TRY_LAST=100 CASE_NAME=$(basename "$0" .sh) exec bash "$(dirname "$0")/../parts/crash_during_save.sh"
