#!/usr/bin/env bash
# Every project header must compile after <windows.h> in one translation unit, and no name
# in them may be a macro of <windows.h>: such a macro renames our name silently in the
# Windows translation units that include it, and the program then fails to link or calls
# the wrong thing. Host-specific headers (POSIX, Qt, and the Win32 window backend's, which
# are written against <windows.h> and use its names) are left out; the backend's session
# header, which portable code includes, is not.
# usage: check_windows_safe_headers.sh MINGW_CXX SRC_DIR
set -euo pipefail
cxx=$1
src=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

(cd "$src" && find . -name '*.h' ! -path './ui/backends/qt/*' ! -name '*posix*' \
  ! \( -path './ui/backends/win32/*' ! -name 'win32_session.h' \) | sed 's#^\./##' |
  sort) >"$work/headers"
{
  echo '#include <windows.h>'
  sed 's/.*/#include "&"/' "$work/headers"
} >"$work/all.cpp"
"$cxx" -std=c++20 -fsyntax-only -I"$src" "$work/all.cpp"

# A function-like macro renames only a name that is followed by '('.
echo '#include <windows.h>' | "$cxx" -std=c++20 -dM -E -x c++ - >"$work/defines"
awk '$2 !~ /\(/ { print $2 }' "$work/defines" | sort -u >"$work/macros"
awk '$2 ~ /\(/ { sub(/\(.*/, "", $2); print $2 }' "$work/defines" | sort -u >"$work/function_macros"
status=0
while read -r header; do
  # Comments and string literals are not names.
  sed -E 's#//.*##; s/"([^"\\]|\\.)*"//g' "$src/$header" >"$work/code"
  grep -oE '\b[A-Za-z_][A-Za-z0-9_]*\b' "$work/code" | sort -u >"$work/names"
  { grep -oE '\b[A-Za-z_][A-Za-z0-9_]*\s*\(' "$work/code" || true; } | sed -E 's/\s*\($//' | sort -u >"$work/calls"
  clashes=$({
    comm -12 "$work/macros" "$work/names"
    comm -12 "$work/function_macros" "$work/calls"
  } | tr '\n' ' ')
  if [ -n "$clashes" ]; then
    echo "$src/$header: names that <windows.h> defines as macros: $clashes"
    status=1
  fi
done <"$work/headers"
count=$(wc -l <"$work/headers")
if [ "$status" -eq 0 ]; then
  echo "$count headers compile after <windows.h> and use none of its macro names"
fi
exit "$status"
