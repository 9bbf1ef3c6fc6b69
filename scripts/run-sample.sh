#!/usr/bin/env bash
# Builds setup and installs the bundled sample disc, unattended, into a sandbox under build/
# (its own drive C, Windows directory and registry file), never touching your home
# directory; then shows what was installed.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
ninja -C build setup

sandbox="$PWD/build/sample-sandbox"
rm -rf "$sandbox"
# The shell folders a new registry file is seeded with, so the shortcuts have a place.
mkdir -p "$sandbox/c/Desktop" "$sandbox/c/Documents"
cat >"$sandbox/profile.ini" <<PROFILE
[Drives]
C = $sandbox/c, fixed
[System]
WindowsDir = C:\\WINDOWS
Registry = $sandbox/registry.reg
PROFILE

echo "Checking the sample disc (examples/sample_disc):"
build/src/app/setup --check --profile "$sandbox/profile.ini" --start-dir examples/sample_disc

echo "Installing the sample disc into $sandbox (unattended; every dialog is shown below):"
status=0
build/src/app/setup --unattended --profile "$sandbox/profile.ini" \
  --start-dir examples/sample_disc --transcript "$sandbox/transcript.jsonl" || status=$?
echo "setup exited with status $status"

echo
echo "Installed on drive C ($sandbox/c):"
(cd "$sandbox/c" && find . -mindepth 1 | sort |
  while read -r entry; do
    if [ -L "$entry" ]; then echo "$entry -> $(readlink "$entry")"; else echo "$entry"; fi
  done)
echo
echo "Uninstall entries in the registry file ($sandbox/registry.reg):"
awk '/^\[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\/ {show=1}
     /^\[/ && !/Uninstall\\/ {show=0}
     show' "$sandbox/registry.reg"
echo
echo "To remove it again (each entry asks its question, answered Yes here):"
echo "  build/src/app/setup --profile $sandbox/profile.ini --uninstall"
echo "  build/src/app/setup --unattended --profile $sandbox/profile.ini --uninstall 'Quillby Reader'"
echo "  build/src/app/setup --unattended --profile $sandbox/profile.ini --uninstall 'Quillby Examples'"
exit "$status"
