#!/usr/bin/env bash
# Builds setup and runs it on the bundled sample disc, inside a sandbox under build/ (its
# own drive C, Windows directory and registry file), never touching your home directory.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
ninja -C build setup

sandbox="$PWD/build/sample-sandbox"
rm -rf "$sandbox"
mkdir -p "$sandbox/c"
cat >"$sandbox/profile.ini" <<PROFILE
[Drives]
C = $sandbox/c, fixed
[System]
WindowsDir = C:\\WINDOWS
Registry = $sandbox/registry.reg
PROFILE

echo "Checking the sample disc (examples/sample_disc):"
status=0
build/src/app/setup --check --profile "$sandbox/profile.ini" \
  --start-dir examples/sample_disc || status=$?
echo "setup --check exited with status $status"
exit "$status"
