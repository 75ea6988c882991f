#!/usr/bin/env bash
# Installs what is missing, builds, and runs the main job.
set -euo pipefail
cd "$(dirname "$0")"
bash scripts/install-deps
cmake -S . -B build -G Ninja >/dev/null
cmake --build build -j "$(nproc)"
# With arguments they go to tintdialog as they stand; without, the print
# dialog's window where there is a display, its report otherwise.
if [ $# -gt 0 ]; then
  exec build/root/usr/bin/tintdialog "$@"
elif [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec build/root/usr/bin/tintdialog gui
else
  exec build/root/usr/bin/tintdialog show
fi
