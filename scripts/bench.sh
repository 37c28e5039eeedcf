#!/usr/bin/env bash
# Builds and runs every benchmark program under bench/, printing their figures.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
BUILD_TYPE=Release BUILD_DIR=${BUILD_DIR:-build-bench} bash scripts/build.sh
BUILD_DIR=${BUILD_DIR:-build-bench}
status=0
while IFS= read -r b; do
  echo "== $b"
  "$b" --benchmark_counters_tabular=true || status=1
done < <(find "$BUILD_DIR/bench" -type f -executable -name 'bench_*' | sort)
exit $status
