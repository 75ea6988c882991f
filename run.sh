#!/usr/bin/env bash
# Installs what is missing, builds, and runs the print dialog tintdialog in a
# self-contained demo (Demo/demo-session): the staged root, a private session
# bus that starts Tintvault on demand, a demo SNMP agent for the sample
# printer on 127.0.0.1, and a private CUPS scheduler with the demo printer's
# queue QV-MR52 (its device URI names that printer), whose documents land in
# Demo/printed/. tintdialog opens that queue unless the arguments name a
# printer (--queue/-d, --ppd, --device-uri, --server).
#   ./run.sh                 the window where there is a display, the report otherwise
#   ./run.sh show --json     any tintdialog arguments, as they stand
set -euo pipefail
cd "$(dirname "$0")"
# Set-up and build talk on standard error only, so that standard output is
# tintdialog's alone (./run.sh show --json | jq .).
{
  bash scripts/install-deps
  cmake -S . -B build -G Ninja >/dev/null
  cmake --build build -j "$(nproc)"
} >&2

tintdialog=build/root/usr/bin/tintdialog
args=("$@")
if [ ${#args[@]} -eq 0 ]; then
  if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then args=(gui); else args=(show); fi
fi
# The demo queue, unless the arguments name a printer of their own; a
# device URI alone goes with the sample printer's description.
queue=()
case " ${args[*]} " in
  *" --queue"[\ =]* | *" -d "* | *" --ppd"[\ =]* | *" --server"[\ =]*) ;;
  *" --device-uri"[\ =]*) queue=(--ppd Demo/QV-MR52.ppd) ;;
  *) queue=(--queue QV-MR52) ;;
esac
exec Demo/demo-session build "$tintdialog" "${queue[@]}" "${args[@]}"
