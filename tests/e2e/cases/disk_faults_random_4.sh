#!/usr/bin/env bash
# Random disk faults, seeds 16 to 20 of twenty.
SEEDS="16 17 18 19 20" CASE_NAME=$(basename "$0" .sh) exec bash "$(dirname "$0")/../parts/disk_faults_random.sh"
