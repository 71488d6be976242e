#!/usr/bin/env bash
# Times real tessaline-cli runs against their floor, on ext4 and on tmpfs:
#   - a replace run over 100,000 empty files in one folder, against
#     floor_rename (one no-replace renameat2 per file);
#   - the same over 10,000 files in 100 folders, subfolders on;
#   - an all-layers name list export of that tree, against find(1).
# Each pair runs interleaved ROUNDS times; the medians and their ratio are
# printed with the peak memory of tessaline-cli.
#
#   bench/rename_bench.sh [BUILD_DIR] [ROUNDS] [ROOTS...]
#   (defaults: build/release, 3, /var/tmp /dev/shm)
set -euo pipefail

build="${1:-build/release}"
rounds="${2:-3}"
shift $(( $# > 2 ? 2 : $# ))
roots=("$@")
[[ ${#roots[@]} -eq 0 ]] && roots=(/var/tmp /dev/shm)
cli="$(realpath "$build/tessaline-cli")"
floor="$(realpath "$build/bench/floor_rename")"

make_flat() {  # 100,000 files in $1
  mkdir -p "$1"
  (cd "$1" && seq -f "file_%06g.txt" 1 100000 | xargs touch)
}

make_tree() {  # 100 folders of 100 files: $1 and 99 subfolders
  mkdir -p "$1"
  (cd "$1" && seq -f "file_%04g.txt" 1 100 | xargs touch &&
   for d in $(seq -f "dir_%03g" 1 99); do
     mkdir "$d" && (cd "$d" && seq -f "file_%04g.txt" 1 100 | xargs touch)
   done)
}

# time_it OUTVAR_SECONDS OUTVAR_KB command...: elapsed seconds and peak RSS.
time_it() {
  local -n seconds=$1 kilobytes=$2
  shift 2
  sync
  local start end
  start=$(date +%s%N)
  /usr/bin/time -f "%M" -o "$work/time" "$@" >/dev/null 2>"$work/stderr" || true
  end=$(date +%s%N)
  seconds=$(awk -v ns=$((end - start)) 'BEGIN {printf "%.4f", ns / 1e9}')
  kilobytes=$(tail -n 1 "$work/time")
}

median() { printf '%s\n' "$@" | sort -g | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

for root in "${roots[@]}"; do
  work="$(mktemp -d "$root/tessaline-bench.XXXXXX")"
  trap 'rm -rf "$work"' EXIT
  fs="$(df --output=fstype "$work" | tail -n 1)"
  declare -a flat_floor=() flat_cli=() tree_floor=() tree_cli=() list_floor=() list_cli=()
  peak_flat=0 peak_tree=0 peak_list=0
  for ((round = 1; round <= rounds; ++round)); do
    rm -rf "$work/flat" "$work/tree" "$work/data"; mkdir -p "$work/data"
    make_flat "$work/flat"
    time_it s kb "$floor" "$work/flat" file_ item_; flat_floor+=("$s")
    rm -rf "$work/flat"; make_flat "$work/flat"
    time_it s kb "$cli" --mode Replapart --folder "$work/flat" --set ReplaceOld=file_ \
      --set ReplaceNew=item_ --data-dir "$work/data"
    flat_cli+=("$s"); (( kb > peak_flat )) && peak_flat=$kb

    rm -rf "$work/tree"; make_tree "$work/tree"
    time_it s kb "$floor" -r "$work/tree" file_ item_; tree_floor+=("$s")
    rm -rf "$work/tree"; make_tree "$work/tree"
    time_it s kb "$cli" --mode Replapart --folder "$work/tree" --set ReplaceOld=file_ \
      --set ReplaceNew=item_ --set IncludeSubfolders=1 --data-dir "$work/data"
    tree_cli+=("$s"); (( kb > peak_tree )) && peak_tree=$kb

    time_it s kb find "$work/tree" -fprint "$work/find.txt"; list_floor+=("$s")
    time_it s kb "$cli" --mode Savealls --folder "$work/tree" \
      --set SaveContent=AllFilesInSubfolders --output "$work/list.txt" --data-dir "$work/data"
    list_cli+=("$s"); (( kb > peak_list )) && peak_list=$kb
  done
  report() {  # name floor-times cli-times peak
    local name=$1 f c
    f=$(median $2); c=$(median $3)
    printf '%-8s %-34s floor %7.3fs  tessaline %7.3fs  ratio %5.2f  peak %5.1f MiB\n' \
      "$fs" "$name" "$f" "$c" "$(awk -v c="$c" -v f="$f" 'BEGIN {print c / f}')" \
      "$(awk -v k="$4" 'BEGIN {print k / 1024}')"
  }
  report "100,000 files, one folder" "${flat_floor[*]}" "${flat_cli[*]}" "$peak_flat"
  report "10,000 files in 100 folders" "${tree_floor[*]}" "${tree_cli[*]}" "$peak_tree"
  report "all-layers export (floor: find)" "${list_floor[*]}" "${list_cli[*]}" "$peak_list"
  rm -rf "$work"
  trap - EXIT
done
