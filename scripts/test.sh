#!/usr/bin/env bash
# Sets up, builds and runs every test through CTest, headless.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh

export QT_QPA_PLATFORM=offscreen
# Qt WebEngine refuses to start its sandbox as root; only then is it turned off.
if [ "$(id -u)" -eq 0 ]; then
  export QTWEBENGINE_DISABLE_SANDBOX=1
fi

cd build
ctest --output-on-failure -j2 "$@"
