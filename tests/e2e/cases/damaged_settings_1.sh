#!/usr/bin/env bash
# Damaged settings files 0 to 14 through the real program.
FIRST=0 LAST=14 CASE_NAME=$(basename "$0" .sh) exec bash "$(dirname "$0")/../parts/damaged_settings.sh"
