#!/usr/bin/env bash
# Random disk faults, seeds 6 to 10 of twenty.
SEEDS="6 7 8 9 10" CASE_NAME=$(basename "$0" .sh) exec bash "$(dirname "$0")/../parts/disk_faults_random.sh"
