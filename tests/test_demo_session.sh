#!/usr/bin/env bash
# The demo that run.sh starts: a private bus, the activated Tintvault, the
# demo printer's agent and its print queue. The panel's profile refresh must
# walk the agent and leave the sample printer's profiles in the user's list;
# a printed job must arrive at the printer end.
set -euo pipefail
source_dir=$1
build_dir=$2
root=$(mktemp -d /tmp/tintdemo-test.XXXXXX)
trap 'rm -rf "$root"' EXIT
export TINT_ROOT=$root QT_QPA_PLATFORM=offscreen

out=$("$source_dir/Demo/demo-session" "$build_dir" "$build_dir/root/usr/bin/tintdialog" \
  --settings "$root/settings.plist" --ppd "$source_dir/Demo/QV-MR52.ppd" --device-uri lpd://127.0.0.1/demo \
  profiles list DST)
echo "$out"
grep -q $'\tPROOF.ICC\tPress Proof\tDisk$' <<<"$out"
grep -q $'\tJAPAN.ICC\tJapan Color 2001\t5$' <<<"$out"
prefs=$("$build_dir/root/usr/bin/tintdialog" paths | awk -F '\t' '$1 == "preferences" { print $2 }')
list=$(ls "$prefs"*-QV-MR52-profile.plist)
python3 - "$list" <<'PY'
import plistlib, sys
with open(sys.argv[1], "rb") as f:
    d = plistlib.load(f)
names = {d["RGB"]["FileName"]["FileName%04d" % i] for i in range(d["RGB"]["iNum"])}
assert {"ADOBERGB.ICC", "SRGB.ICC"} <= names, names
PY
# The demo printer: a job printed to the queue with the panel's choices
# completes, reaches the printer end with the PostScript code of those
# choices, and the terminal is told where it landed.
printed=$root/printed
log=$(TINT_DEMO_PRINTED=$printed "$source_dir/Demo/demo-session" "$build_dir" bash -c '
  "$0" --settings "$1" --queue QV-MR52 set WQQuickColor=Vivid WQBrightness=Plus1 &&
  "$0" --settings "$1" --queue QV-MR52 print --wait "$2"' \
  "$build_dir/root/usr/bin/tintdialog" "$root/job.plist" "$source_dir/Demo/sample.ps" 2>&1)
echo "$log"
doc=$(ls "$printed"/*.ps)
grep -q 'userdict /WQQuickColor /Vivid put' "$doc"
grep -q 'userdict /WQBrightness /Plus1 put' "$doc"
grep -qF "Demo printer: document kept as $doc" <<<"$log"
# Nothing of the session is left behind.
! pgrep -f "$root" >/dev/null
