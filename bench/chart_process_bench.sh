#!/usr/bin/env bash
# The whole quillet-chart process drawing the reference chart (3 series x 12 months from
# the sample SQLite database, 3-D clustered column, three titles, value labels on one
# series, a preset background): median wall time (nanosecond clock around each run,
# /usr/bin/time's own figure has only 10 ms steps) and the largest peak RSS (from
# /usr/bin/time) over N runs, and the median CPU time (user + sys, 10 ms steps), which
# a busy machine disturbs less. Usage: bench/chart_process_bench.sh [BUILD_DIR] [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
runs=${2:-21}
case $build in /*) ;; *) build=$PWD/$build ;; esac
export OLEAUT_REGISTRY="$build/registry"
export OLEAUT_EVENTLOG="${TMPDIR:-/tmp}/chart_process_bench.$$.log"
out="${TMPDIR:-/tmp}/chart_process_bench.$$.gif"
samples="${TMPDIR:-/tmp}/chart_process_bench.$$.txt"
trap 'rm -f "$out" "$samples" "$samples.rss" "$OLEAUT_EVENTLOG"' EXIT

for _ in $(seq "$runs"); do
  start=$(date +%s%N)
  /usr/bin/time -f "%M %U %S" -o "$samples.rss" "$build/bin/quillet-chart" --db "$build/data/sales.db" \
    --query "SELECT month, north, south, west FROM monthly_sales ORDER BY month_no" \
    --series north=North --labels --series south=South --series west=West \
    --headings month --type xl3DColumnClustered --size 540x250 \
    --title "Sales 2024" --x-title "Month" --y-title "k EUR" \
    --background msoGradientOcean -o "$out" >/dev/null
  echo "$(( ($(date +%s%N) - start) / 1000 )) $(cat "$samples.rss")" >>"$samples"
done
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
wall_us=$(cut -d' ' -f1 "$samples" | median)
cpu_s=$(awk '{ print $3 + $4 }' "$samples" | median)
rss_kb=$(cut -d' ' -f2 "$samples" | sort -n | tail -1)
awk -v runs="$runs" -v wall="$wall_us" -v cpu="$cpu_s" -v rss="$rss_kb" 'BEGIN {
  printf "quillet-chart reference chart: %d runs, median wall %.1f ms, median CPU (user+sys) %.0f ms, peak RSS %.1f MiB\n",
         runs, wall / 1000, cpu * 1000, rss / 1024 }'
