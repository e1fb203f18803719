#!/usr/bin/env bash
# Damaged settings files 15 to 29 through the real program.
FIRST=15 LAST=29 CASE_NAME=$(basename "$0" .sh) exec bash "$(dirname "$0")/../parts/damaged_settings.sh"
