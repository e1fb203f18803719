#!/usr/bin/env bash
# Random disk faults, seeds 11 to 15 of twenty.
SEEDS="11 12 13 14 15" CASE_NAME=$(basename "$0" .sh) exec bash "$(dirname "$0")/../parts/disk_faults_random.sh"
