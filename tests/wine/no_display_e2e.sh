#!/usr/bin/env bash
# Where Wine has no display to draw on, setup.exe says so and ends with status 5 before
# anything is written: for windows asked for, and for the screenshots of a run without
# windows, which Windows takes of real windows.
# Usage: no_display_e2e.sh RUN_IN_WINE WINE_DIR SETUP_EXE SAMPLE_DISC
set -euo pipefail
run_in_wine=$1 wine_dir=$2 setup_exe=$3 disc=$4
windows_path() { printf 'Z:%s' "${1//\//\\}"; }
fail() { echo "FAIL: $*" >&2; exit 1; }
unset DISPLAY WAYLAND_DISPLAY
# A wineserver of its own, started without a display.
"$run_in_wine" "$wine_dir" --stop

work="$wine_dir/no-display"
rm -rf "$work"
mkdir -p "$work"
for mode in gui screenshots; do
  if [ "$mode" = gui ]; then args=(--gui); else
    args=(--unattended --screenshots "$(windows_path "$work/shots")")
  fi
  status=0
  "$run_in_wine" "$wine_dir" "$setup_exe" "${args[@]}" --start-dir "$(windows_path "$disc")" \
    >"$work/out.txt" 2>&1 || status=$?
  [ "$status" -eq 5 ] || fail "setup ${args[*]} exited with $status: $(cat "$work/out.txt")"
  grep -q 'cannot open the display' "$work/out.txt" || fail "no message: $(cat "$work/out.txt")"
  [ ! -e "$work/shots" ] || fail "screenshots were written"
done
echo "without a display setup.exe ends with status 5 and writes nothing"
