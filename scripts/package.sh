#!/usr/bin/env bash
# Builds the Release Tavlin.exe (-O2, stripped, static) and writes
# build/dist/Tavlin-<FileVersion>-win64.zip: the program, the example
# phrase files, the Japanese user's guide, the example poster it shows, and
# the reading dictionary with its licence notice. Prints the program's size
# and fails when it exceeds the 1.5 MB a download should take, or the
# dictionary the 2 MiB it may take in the zip.
# --no-install skips installing packages (the test command has done it).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

[[ ${1:-} == --no-install ]] || "$TAVLIN_ROOT/scripts/install-deps.sh"
build_reading_dictionary
configure_windows
cmake --build "$TAVLIN_WINDOWS" --target Tavlin

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:[A-Z]*=//p' \
  "$TAVLIN_WINDOWS/CMakeCache.txt")
name="Tavlin-$version-win64"
dist="$TAVLIN_BUILD/dist"
stage="$dist/$name"
rm -rf "$stage" "$dist/$name.zip"
mkdir -p "$stage"

cp "$TAVLIN_WINDOWS/Tavlin.exe" "$stage/"
cp "$TAVLIN_ROOT"/examples/*.txt "$stage/"
# Notepad on Japanese Windows reads UTF-8 by its byte-order mark; CR LF for
# every editor there.
guide="はじめにお読みください.txt"
{
  printf '\xEF\xBB\xBF'
  sed 's/$/\r/' "$TAVLIN_ROOT/docs/$guide"
} >"$stage/$guide"
cp "$TAVLIN_ROOT/docs/poster-example.png" "$stage/ポスターの例.png"
cp "$TAVLIN_NATIVE/読み辞書.dic" "$stage/"
# The lexicon's licence asks for its notice beside every copy.
{
  printf '\xEF\xBB\xBF'
  sed 's/$/\r/' "$TAVLIN_ROOT/docs/reading-dictionary-notice.txt"
  sed 's/$/\r/' "$TAVLIN_NATIVE/mecab-ipadic-copyright.txt"
} >"$stage/読み辞書のライセンス.txt"

(cd "$stage" && LC_ALL=C.UTF-8 cmake -E tar cf "../$name.zip" --format=zip -- *)

size=$(stat -c %s "$stage/Tavlin.exe")
limit=$((1536 * 1024))
awk -v size="$size" \
  'BEGIN { printf "Tavlin.exe: %d bytes (%.2f MB; at most 1.50 MB)\n", size, size / 1048576 }'
echo "Package: $dist/$name.zip"
dictionary=$(stat -c %s "$stage/読み辞書.dic")
zipped=$(python3 -c 'import sys, zipfile
print(zipfile.ZipFile(sys.argv[1]).getinfo("読み辞書.dic").compress_size)' \
  "$dist/$name.zip")
echo "読み辞書.dic: $dictionary bytes, $zipped in the zip (at most 2 MiB)"
if ((size > limit)); then
  echo "Tavlin.exe is larger than 1.5 MB" >&2
  exit 1
fi
# The shell's and COM's libraries load on the first call into them, not
# at the start: a function taken from the ordinary import library instead
# would load them before the window again.
imports=$(x86_64-w64-mingw32-objdump -p "$stage/Tavlin.exe" |
  sed -n 's/^\s*DLL Name: //p')
if grep -qiE '^(shell32|ole32)\.dll$' <<<"$imports"; then
  echo "Tavlin.exe loads the shell or COM at the start:" $imports >&2
  exit 1
fi
if ((zipped > 2 * 1024 * 1024)); then
  echo "読み辞書.dic takes more than 2 MiB in the zip" >&2
  exit 1
fi
