#!/usr/bin/env bash
# Runs a Windows program under Wine in the build's own prefix, with a home directory of its
# own, so that the prefix's shell folders (desktop, documents) never point into the real
# home and no menu entries are made for the shortcuts a test creates, and without a display
# (windows are made offscreen). Every step has a time limit (its whole process group is
# ended then), so nothing Wine starts can hang a run.
# Usage: run_in_wine.sh WINE_DIR --boot | --stop | PROGRAM [ARGUMENT]...
set -euo pipefail
dir=$1
shift
mkdir -p "$dir/home"
export WINEPREFIX="$dir/prefix" HOME="$dir/home" XDG_CONFIG_HOME="$dir/home/.config"
export XDG_DATA_HOME="$dir/home/.local/share" WINEDEBUG=-all
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
unset DISPLAY WAYLAND_DISPLAY
case "${1:-}" in
  --boot)
    wineserver -k 2>/dev/null || true
    rm -rf "$WINEPREFIX"
    timeout -k 10 240 wineboot -i
    # No X display is used: Wine's null display driver makes windows offscreen, so the window
    # tests create, paint and capture them all the same.
    timeout -k 10 60 wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null
    exec timeout -k 10 60 wineserver -w
    ;;
  --stop)
    wineserver -k 2>/dev/null || true
    exit 0
    ;;
esac
exec timeout -k 10 240 wine "$@"
