#!/usr/bin/env bash
# Installs the sample disc with setup.exe under Wine, unattended, and checks what a reader
# would find: the files, the .lnk shortcuts and the uninstall entries in the registry; then
# removes one entry with --uninstall. Given the Linux program, the dialogs of both runs must
# be the same: the same kinds and captions in the same order, and the same texts where they
# name no folder and no free space.
# Usage: sample_disc_e2e.sh RUN_IN_WINE WINE_DIR SETUP_EXE SAMPLE_DISC [LINUX_SETUP]
set -euo pipefail
run_in_wine=$1 wine_dir=$2 setup_exe=$3 disc=$4 linux_setup=${5:-}
wine() { "$run_in_wine" "$wine_dir" "$@"; }
windows_path() { printf 'Z:%s' "${1//\//\\}"; }
fail() { echo "FAIL: $*" >&2; exit 1; }

work="$wine_dir/sample-e2e"
rm -rf "$work"
mkdir -p "$work"
drive_c="$wine_dir/prefix/drive_c"

# A windowed program still prints where it was started.
wine "$setup_exe" --help >"$work/help.txt" 2>&1 || fail "--help exited with $?"
grep -q '^Usage: setup' "$work/help.txt" || fail "--help printed: $(cat "$work/help.txt")"

status=0
wine "$setup_exe" --unattended --quiet --start-dir "$(windows_path "$disc")" \
  --transcript "$(windows_path "$work/transcript.jsonl")" >"$work/out.txt" 2>&1 || status=$?
[ "$status" -eq 0 ] || fail "setup exited with $status: $(cat "$work/out.txt")"
grep -q '"kind":"CFinishedDlg"' "$work/transcript.jsonl" || fail "no finished dialog"

if [ -n "$linux_setup" ]; then
  mkdir -p "$work/linux/c/Desktop" "$work/linux/c/Documents"
  printf '[Drives]\nC = %s, fixed\n[System]\nWindowsDir = C:\\WINDOWS\nRegistry = %s\n' \
    "$work/linux/c" "$work/linux/registry.reg" >"$work/linux/profile.ini"
  "$linux_setup" --unattended --quiet --profile "$work/linux/profile.ini" --start-dir "$disc" \
    --transcript "$work/linux/transcript.jsonl" >"$work/linux/out.txt" 2>&1 ||
    fail "the Linux setup exited with $?: $(cat "$work/linux/out.txt")"
  dialogs() {
    tr -d '\r' <"$1" | grep -o '^{"kind":"[^"]*","caption":"[^"]*"'
    tr -d '\r' <"$1" | grep -E '^\{"kind":"(CBackdropDlg|CWelcomeDlg|CUpdatingDlg|CFinishedDlg)"'
  }
  diff <(dialogs "$work/linux/transcript.jsonl") <(dialogs "$work/transcript.jsonl") \
    >"$work/dialogs.diff" || fail "the dialogs differ from the Linux program's: $(cat "$work/dialogs.diff")"
fi

# The files, under their underscore-rule names.
find -L "$drive_c" -path '*/Quillby Reader/Read Me.txt' | grep -q . || fail "Read Me.txt missing"
[ -s "$drive_c/Quillby/Examples/Example1.txt" ] || fail "Examples not installed (expanded)"
[ -f "$drive_c/windows/ZORUNIN.EXE" ] || fail "the uninstaller was not copied"

# Shortcuts are shell links: a file that starts with the link header's size (0x4C).
for link in "Quillby Reader.Lnk" "Quillby Examples.Lnk"; do
  file=$(find -L "$drive_c/users" "$wine_dir/home" -name "$link" -print -quit 2>/dev/null)
  [ -n "$file" ] || fail "$link missing"
  [ "$(head -c 4 "$file" | od -An -tx1 | tr -d ' \n')" = 4c000000 ] || fail "$link is no shell link"
done

# The uninstall entries in the system's registry.
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
wine reg query "$key\\Quillby Reader" /v DisplayName >"$work/reg.txt" 2>&1 ||
  fail "no uninstall key: $(cat "$work/reg.txt")"
grep -q 'REG_SZ *Quillby Reader' "$work/reg.txt" || fail "DisplayName: $(cat "$work/reg.txt")"
wine reg query "$key\\Quillby Examples" /v UninstallString >"$work/reg.txt" 2>&1 ||
  fail "no uninstall key for the examples"
grep -q 'ZORUNIN.EXE `C:\\Quillby\\Examples` Quillby Examples' "$work/reg.txt" ||
  fail "UninstallString: $(cat "$work/reg.txt")"
if wine reg query "$key\\Quillby Extras" >/dev/null 2>&1; then
  fail "the section not chosen was registered"
fi
# The removal of one entry: its files, its shortcut and its registry key go, the other
# entry's stay.
status=0
wine "$setup_exe" --uninstall "Quillby Examples" --unattended --quiet >"$work/removal.txt" 2>&1 ||
  status=$?
[ "$status" -eq 0 ] || fail "--uninstall exited with $status: $(cat "$work/removal.txt")"
[ ! -e "$drive_c/Quillby/Examples" ] || fail "the examples were not removed"
find -L "$drive_c/users" "$wine_dir/home" -name "Quillby Examples.Lnk" 2>/dev/null | grep -q . &&
  fail "the examples' shortcut was not removed"
if wine reg query "$key\\Quillby Examples" >/dev/null 2>&1; then
  fail "the examples' uninstall key was not removed"
fi
find -L "$drive_c" -path '*/Quillby Reader/Read Me.txt' | grep -q . || fail "Read Me.txt removed"
wine reg query "$key\\Quillby Reader" >/dev/null 2>&1 || fail "the reader's key was removed"

echo "sample disc installed and one entry removed under Wine: files, shortcuts and registry as expected"
