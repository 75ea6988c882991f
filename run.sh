#!/usr/bin/env bash
# Installs what is missing, builds, and runs the main job.
set -euo pipefail
cd "$(dirname "$0")"
bash scripts/install-deps
cmake -S . -B build -G Ninja >/dev/null
cmake --build build -j "$(nproc)"
exec build/root/usr/bin/tintdialog "$@"
