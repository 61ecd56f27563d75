#!/usr/bin/env bash
# Instructions per reference chart, counted with callgrind: (instructions for 11 charts -
# instructions for 1 chart) / 10, with and without the preset background, so process
# start-up and the first chart's caches are taken out. Also prints the whole process of one
# chart. Usage: bench/chart_instructions.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
case $build in /*) ;; *) build=$PWD/$build ;; esac
export OLEAUT_REGISTRY="$build/registry"
export OLEAUT_EVENTLOG="${TMPDIR:-/tmp}/chart_instructions.$$.log"
work=$(mktemp -d)
trap 'rm -rf "$work" "$OLEAUT_EVENTLOG"' EXIT

# Total instructions of one run of reference_chart with these arguments.
instructions() {
  valgrind --tool=callgrind --callgrind-out-file="$work/cg.out" "$build/bin/reference_chart" "$@" \
    "$work/chart.gif" 2>"$work/valgrind.txt" || { cat "$work/valgrind.txt" >&2; exit 1; }
  sed -n 's/^summary: //p' "$work/cg.out"
}

one=$(instructions 1)
eleven=$(instructions 11)
one_plain=$(instructions --no-background 1)
eleven_plain=$(instructions --no-background 11)
awk -v a="$one" -v b="$eleven" -v c="$one_plain" -v d="$eleven_plain" 'BEGIN {
  printf "per chart, preset background: %.1f M instructions\n", (b - a) / 10 / 1e6
  printf "per chart, no background:     %.1f M instructions\n", (d - c) / 10 / 1e6
  printf "whole process, one chart:     %.1f M instructions\n", a / 1e6 }'
