#!/usr/bin/env bash
# Sets up, builds and starts the browser. Arguments go to the program (an address or path).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh --target yuragine

# Qt WebEngine refuses to start its sandbox as root; only then is it turned off.
if [ "$(id -u)" -eq 0 ]; then
  export QTWEBENGINE_DISABLE_SANDBOX=1
fi

program="build/ゆらぎね"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "run: no display found, starting under Xvfb" >&2
  exec xvfb-run -a -s "-screen 0 1280x800x24" "$program" "$@"
fi
exec "$program" "$@"
