#!/usr/bin/env bash
# The benchmarks' ratios as medians of interleaved runs, and what quenda.exe's start-up costs
# beyond a bare program's, both under a warm wineserver. Needs the windows build
# (cmake --build --preset windows --target zorvel quenda zorvel_bench zv_hello zv_hello_com
# zv_hello_plugin).
#   bench/ratios.sh [runs]      runs: 5 unless given
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
bin=$root/build/windows/bin
runs=${1:-5}
wine_run() { "$root/tests/wine/run-wine" "$@"; }

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# Each run of the program measures every benchmark once, so the benchmarks interleave.
results=$(mktemp)
for ((i = 1; i <= runs; i++)); do
  (cd "$bin" && wine_run ./zorvel_bench.exe folderFiles10000 dirSel10000 envAll1000 \
    hostShareOfFolderFiles folderCopy2000) |
    sed -n 's/^\(.*[^ ]\) *library .* ratio \([0-9.]*\) (limit \([0-9.]*\)).*/\1|\2|\3/p' >>"$results"
done
cut -d'|' -f1 "$results" | sort -u | while read -r name; do
  values=$(grep -F "$name|" "$results" | cut -d'|' -f2)
  limit=$(grep -F "$name|" "$results" | head -1 | cut -d'|' -f3)
  printf '%-50s median ratio %s of %s runs (limit %s): %s\n' "$name" \
    "$(echo "$values" | median)" "$(echo "$values" | wc -l)" "$limit" "$(echo $values)"
done
rm -f "$results"

# Start-up: quenda.exe -e "dir.get" against three programs that print one line: the bare
# program; the bare program that makes COM and the common controls ready itself (what the library
# must do as it loads); and the bare program that loads a plug-in doing just that, as quenda loads
# zorvel.dll. Wall-clock and CPU (the process's user and system time) in milliseconds, medians.
wine_run "$bin/zv_hello.exe" >/dev/null  # the wineserver is warm from here on
programs=("quenda.exe -e dir.get" "zv_hello.exe" "zv_hello_com.exe" "zv_hello_plugin.exe")
labels=("quenda.exe -e \"dir.get\"" "bare program" "bare program, COM made ready"
  "bare program loading a plug-in that makes COM ready")
declare -A wall cpu
TIMEFORMAT='%3R %3U %3S'
for ((i = 1; i <= 4 * runs + 1; i++)); do
  for p in "${!programs[@]}"; do
    read -r -a command <<<"${programs[$p]}"
    times=$( { time (cd "$bin" && wine_run "./${command[0]}" "${command[@]:1}" >/dev/null 2>&1); } 2>&1)
    wall[$p]+="$(echo "$times" | awk '{ printf "%d", $1 * 1000 }') "
    cpu[$p]+="$(echo "$times" | awk '{ printf "%d", ($2 + $3) * 1000 }') "
  done
done
echo "start-up, medians of $((4 * runs + 1)) interleaved runs (wall-clock ms, CPU ms):"
for p in "${!programs[@]}"; do
  w=$(printf '%s\n' ${wall[$p]} | median)
  c=$(printf '%s\n' ${cpu[$p]} | median)
  printf '  %-55s %6s %6s\n' "${labels[$p]}" "$w" "$c"
done
