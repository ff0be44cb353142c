#!/usr/bin/env bash
# Checks that includes run one way through the tree:
#   win32 (the entry point) -> win32/forms -> win32/gui -> win32/system
#   -> src/workshop -> src/app -> src/storage -> src/slogan, src/info, src/ui -> src/rhythm
#   -> src/platform
# and posix/ -> src/. A folder includes its own files and those of folders
# below it, never one beside or above it, so no two folders include each
# other. Nothing in src/ includes a system header: its angle-bracket
# includes are the standard library's, which have no ".h", and the
# compiler's own vector intrinsics ("<...intrin.h>"), which call no system.
# Usage: check-include-order.sh ROOT; prints each violation, fails on any.
set -uo pipefail
root=${1:?usage: check-include-order.sh ROOT}

# The rank of a folder; a file may include from a lower rank or its own
# folder. Folders of the same rank are independent of each other.
rank_of() {
  case $1 in
    src/platform) echo 0 ;;
    src/rhythm) echo 1 ;;
    src/slogan | src/info | src/ui) echo 2 ;;
    src/storage) echo 3 ;;
    src/app) echo 4 ;;
    src/workshop) echo 5 ;;
    posix | win32/system) echo 6 ;;
    win32/gui) echo 7 ;;
    win32/forms) echo 8 ;;
    win32) echo 9 ;;
    *) echo "" ;;
  esac
}

violations=0
report() {
  echo "$1: $2"
  violations=$((violations + 1))
}

cd "$root" || exit 2
while IFS= read -r file; do
  folder=$(dirname "$file")
  rank=$(rank_of "$folder")
  if [[ -z $rank ]]; then
    report "$file" "lies in no folder of the plan"
    continue
  fi
  while IFS= read -r line; do
    if [[ $line =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*\"([^\"]+)\" ]]; then
      included=${BASH_REMATCH[1]}
      target=$(dirname "$included")
      target_rank=$(rank_of "$target")
      if [[ -z $target_rank ]]; then
        report "$file" "includes \"$included\", outside the plan's folders"
      elif [[ $target != "$folder" && $target_rank -ge $rank ]]; then
        report "$file" "includes \"$included\" against the order"
      elif [[ $folder == posix && $target == win32* ]] ||
        [[ $folder == win32* && $target == posix ]]; then
        report "$file" "includes \"$included\" of the other platform"
      fi
    elif [[ $folder == src/* &&
      $line =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*\<([^\>]+\.h)\> ]] &&
      [[ ${BASH_REMATCH[1]} != *intrin.h ]]; then
      report "$file" "includes the system header <${BASH_REMATCH[1]}>"
    fi
  done <"$file"
done < <(find src posix win32 -type f \( -name '*.h' -o -name '*.cpp' \) 2>/dev/null | sort)

if ((violations > 0)); then
  echo "$violations include(s) break the order"
  exit 1
fi
echo "includes run one way"
