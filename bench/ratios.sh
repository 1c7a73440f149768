#!/usr/bin/env bash
# The benchmarks' ratios as medians of interleaved runs, and what quenda.exe's start-up costs
# beyond a bare program's, both under a warm wineserver. Needs the windows build
# (cmake --build --preset windows --target zorvel quenda zorvel_bench zv_hello zv_hello_com).
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

# Start-up: quenda.exe -e "dir.get", the bare program, and the bare program doing what the
# library must do as it loads (COM and the common controls), in turn; milliseconds each.
now_ms() { date +%s%N | cut -c1-13; }
wine_run "$bin/zv_hello.exe" >/dev/null  # the wineserver is warm from here on
quenda=() bare=() floor=()
for ((i = 1; i <= 4 * runs + 1; i++)); do
  t=$(now_ms); (cd "$bin" && wine_run ./quenda.exe -e "dir.get" >/dev/null); quenda+=($(($(now_ms) - t)))
  t=$(now_ms); (cd "$bin" && wine_run ./zv_hello.exe >/dev/null); bare+=($(($(now_ms) - t)))
  t=$(now_ms); (cd "$bin" && wine_run ./zv_hello_com.exe >/dev/null); floor+=($(($(now_ms) - t)))
done
q=$(printf '%s\n' "${quenda[@]}" | median)
b=$(printf '%s\n' "${bare[@]}" | median)
f=$(printf '%s\n' "${floor[@]}" | median)
echo "start-up (medians of ${#quenda[@]} runs): quenda.exe -e \"dir.get\" $q ms; bare program $b ms" \
  "($((q - b)) ms more); bare program with COM and the common controls made ready $f ms" \
  "(quenda $((q - f)) ms more)"
