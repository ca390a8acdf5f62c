#!/usr/bin/env bash
# Installs what is needed, builds Quorix and starts it.
# Until the main window exists, this runs the headless runner on the example program.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
exec build/tools/qxrun --vars examples/benvenuto.txt
