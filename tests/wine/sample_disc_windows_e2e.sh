#!/usr/bin/env bash
# Installs the sample disc with setup.exe through its real windows under Wine: the answers
# act on the controls as a person would (the Options check list, Change Folder with the
# browse tree and the New Directory edit). Checks the files installed and a screenshot of
# each window; given the Linux program, both must show the same dialogs, with the same
# texts and answers, on the same answers (free space, which the hosts differ in, aside).
# Usage: sample_disc_windows_e2e.sh RUN_IN_WINE WINE_DIR SETUP_EXE SAMPLE_DISC [LINUX_SETUP]
set -euo pipefail
run_in_wine=$1 wine_dir=$2 setup_exe=$3 disc=$4 linux_setup=${5:-}
wine() { "$run_in_wine" "$wine_dir" "$@"; }
windows_path() { printf 'Z:%s' "${1//\//\\}"; }
fail() { echo "FAIL: $*" >&2; exit 1; }

work="$wine_dir/windows-e2e"
rm -rf "$work"
mkdir -p "$work/c/Desktop" "$work/c/Documents"
printf '[Options]\nSelect = 1,2,3\nFolder3 = C:\\Quillby\\More Extras\n' >"$work/answers.ini"
printf '[Drives]\nC = %s, fixed\nD = %s, cdrom\n[System]\nWindowsDir = C:\\WINDOWS\n' \
  "$(windows_path "$work/c")" "$(windows_path "$disc")" >"$work/profile.ini"

status=0
wine "$setup_exe" --answers "$(windows_path "$work/answers.ini")" \
  --profile "$(windows_path "$work/profile.ini")" --start-dir "$(windows_path "$disc")" \
  --transcript "$(windows_path "$work/transcript.jsonl")" \
  --screenshots "$(windows_path "$work/shots")" --quiet >"$work/out.txt" 2>&1 || status=$?
[ "$status" -eq 0 ] || fail "setup exited with $status: $(cat "$work/out.txt")"
tr -d '\r' <"$work/transcript.jsonl" >"$work/windows.jsonl"
grep -q '"kind":"CFinishedDlg"' "$work/windows.jsonl" || fail "no finished dialog"
grep -q '"kind":"CBrowseDlg"' "$work/windows.jsonl" || fail "the folder was not chosen by browsing"

# The files, section 3 in the folder made through the browse window.
find "$work/c" -path '*/Quillby Reader/Read Me.txt' | grep -q . || fail "Read Me.txt missing"
[ -s "$work/c/Quillby/Examples/Example1.txt" ] || fail "Examples not installed (expanded)"
find "$work/c/Quillby/More Extras" -type f 2>/dev/null | grep -q . ||
  fail "section 3 is not in its new folder"

# One PNG per window, in the order shown, named by its kind.
kinds() { grep -o '^{"kind":"[^"]*"' "$1" | grep -v '"CopyFailure"' | sed 's/.*:"//; s/"$//'; }
shots=$(cd "$work/shots" && ls -- *.png | sed 's/^[0-9]*-//; s/\.png$//')
diff <(kinds "$work/windows.jsonl") <(printf '%s\n' "$shots") >"$work/shots.diff" ||
  fail "the screenshots are not one per window: $(cat "$work/shots.diff")"
for png in "$work"/shots/*.png; do
  [ "$(head -c 8 "$png" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] || fail "$png is no PNG"
done

if [ -n "$linux_setup" ]; then
  mkdir -p "$work/linux/c/Desktop" "$work/linux/c/Documents"
  printf '[Drives]\nC = c, fixed\nD = %s, cdrom\n[System]\nWindowsDir = C:\\WINDOWS\nRegistry = registry.reg\n' \
    "$disc" >"$work/linux/profile.ini"
  # The Linux program gets the prefix's shell folders, so both name the same folders.
  key='HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders'
  {
    printf 'REGEDIT4\n\n[%s]\n' "$key"
    wine reg query "$key" | tr -d '\r' |
      sed -nE 's/^    (.*[^ ])    REG_SZ    (.*)$/"\1"="\2"/p' | sed 's/\\/\\\\/g'
  } >"$work/linux/registry.reg"
  "$linux_setup" --answers "$work/answers.ini" --profile "$work/linux/profile.ini" \
    --start-dir "$disc" --transcript "$work/linux/transcript.jsonl" --quiet \
    >"$work/linux/out.txt" 2>&1 || fail "the Linux setup exited with $?: $(cat "$work/linux/out.txt")"
  # A path shortened to fit its control ("C:\\users\\...\\Read Me.txt") depends on the
  # widths of the font, which the hosts' fonts differ in.
  comparable() { sed -E 's/[0-9][0-9.,]* ?[KMG]?Bytes/#/g; s/"[^"]*\.\.\.[^"]*\\\\[^"]*"/"(fitted path)"/g' "$1"; }
  diff <(comparable "$work/linux/transcript.jsonl") <(comparable "$work/windows.jsonl") \
    >"$work/dialogs.diff" || fail "the dialogs differ from the Linux program's: $(cat "$work/dialogs.diff")"
fi

echo "sample disc installed through its windows under Wine: files, screenshots and dialogs as expected"
