#!/usr/bin/env bash
# Installs what is needed, builds Quorix and opens its main window; a program file may
# follow ("scripts/start.sh lezione.qxs"). The window starts in the caller's folder, which
# is the program folder. Without a display the welcome example runs through the headless
# runner instead.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
(cd "$root" && bash scripts/install-deps.sh && bash scripts/build.sh)
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
  echo "No display to open the window on: running examples/benvenuto.txt with qxrun instead."
  exec "$root/build/tools/qxrun" --vars "$root/examples/benvenuto.txt"
fi
exec "$root/build/app/quorix" "$@"
