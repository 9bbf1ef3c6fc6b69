#!/usr/bin/env bash
# A whole installation of the sample disc in real windows on an X server (Xvfb, the xcb
# platform), answered from an answers file. Usage: xvfb_smoke.sh SETUP_BINARY SAMPLE_DISC
set -euo pipefail
setup_binary=$1
sample_disc=$2
if ! command -v xvfb-run >/dev/null; then
  echo "SKIP: xvfb-run is not installed (scripts/install-deps.sh installs xvfb and xauth)"
  exit 77
fi

sandbox=$(mktemp -d)
trap 'rm -rf "$sandbox"' EXIT
mkdir -p "$sandbox/c/Desktop" "$sandbox/c/Documents"
cp -r "$sample_disc" "$sandbox/disc"
cat >"$sandbox/profile.ini" <<PROFILE
[Drives]
C = $sandbox/c, fixed
[System]
WindowsDir = C:\\WINDOWS
Registry = $sandbox/registry.reg
PROFILE
printf '[Options]\nSelect=1,2,3\n' >"$sandbox/answers.ini"

status=0
XDG_RUNTIME_DIR=$sandbox TMPDIR=$sandbox QT_QPA_PLATFORM=xcb xvfb-run -a "$setup_binary" --gui \
  --answers "$sandbox/answers.ini" --profile "$sandbox/profile.ini" \
  --start-dir "$sandbox/disc" --transcript "$sandbox/transcript.jsonl" \
  --screenshots "$sandbox/shots" 2>"$sandbox/stderr.txt" || status=$?
fail() {
  echo "FAIL: $1"
  cat "$sandbox/stderr.txt"
  exit 1
}
[ "$status" -eq 0 ] || fail "setup exited with status $status"
grep -q '"kind":"CFinishedDlg"' "$sandbox/transcript.jsonl" || fail "no Setup Finished dialog"
[ -n "$(find "$sandbox/c/Quillby/Extras" -iname bookmark.txt 2>/dev/null)" ] ||
  fail "section 3 was not installed"
ls "$sandbox/shots" | grep -q -- '-COptionsDlg.png$' || fail "no screenshot of the Options dialog"
echo "PASS: the sample disc installed in real windows under Xvfb"
