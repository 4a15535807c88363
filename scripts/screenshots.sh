#!/usr/bin/env bash
# Screenshots of Brastel for docs/screenshots/: the main window with the
# sample look in the standard and the frameless style, and the mailbox open
# in the host panel. Runs the demo under Xvfb, whatever $DISPLAY says.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/docs/screenshots}
mkdir -p "$out"
env -u DISPLAY "$root/scripts/demo.sh" --shots "$out"
env -u DISPLAY "$root/scripts/demo.sh" --shots "$out" --frameless
