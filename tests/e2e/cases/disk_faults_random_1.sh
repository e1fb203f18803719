#!/usr/bin/env bash
# Random disk faults, seeds 1 to 5 of twenty.
SEEDS="1 2 3 4 5" CASE_NAME=$(basename "$0" .sh) exec bash "$(dirname "$0")/../parts/disk_faults_random.sh"
