#!/usr/bin/env bash
# The handheld's size on a real X server: Ctrl+plus three times grows the window to 175 %,
# centred and still cut to the handheld's shape, with its drawn buttons answering where they
# are drawn now; the size is kept in the store, and the program started again comes back at
# 175 %.
# Usage: zoom_test.sh <fluffo-brambo>. Exits 77 (skipped) when there is no Xvfb.
set -euo pipefail

program=$1
test_name=zoom
screen_w=1920 # room for the handheld at 175 %
screen_h=1200
root_colour='#2f6f4f' # a colour the handheld never shows at its corners
root_rgb='srgb(47,111,79)'

# shellcheck source=tests/desktop/xvfb_session.sh
. "$(dirname "$0")/xvfb_session.sh"
for tool in xsetroot xwininfo import convert compare; do
    command -v "$tool" >/dev/null || { echo "zoom: $tool is missing" >&2; exit 1; }
done
xsetroot -solid "$root_colour"

# shellcheck disable=SC2119  # no options: the program as a player starts it
start_program
wait_for 5 find_window || fail "no visible window titled '$title'"
check_window 440x664 lit

# Ctrl+plus three times: 175 %, centred and shaped. The TIME button drawn at its new place
# still takes a press: its pressed picture shows while the button is held.
timeout 3 xdotool windowfocus --sync "$window" || fail "cannot focus the window"
xdotool key --delay 150 ctrl+plus ctrl+plus ctrl+plus
check_window 770x1162 zoomed
time_x=$((left + (281 + 13) * 175 / 100))
time_y=$((top + (305 + 10) * 175 / 100))
time_button="47x35+$(((281 * 175) / 100))+$(((305 * 175) / 100))"
xdotool mousemove "$time_x" "$time_y" mousedown 1
sleep 0.3
shot pressed
xdotool mouseup 1
pressed=$(area_changes zoomed pressed "$time_button")
[ "$pressed" -gt 0 ] || fail "the TIME button at 175 % did not show its press"

quit_program
grep -qx WindowZoom=175 "$store" || fail "the store lacks WindowZoom=175: $(tr '\n' ' ' <"$store")"

# Started again, the handheld comes back at the size the player chose.
# shellcheck disable=SC2119
start_program
wait_for 5 find_window || fail "no visible window titled '$title' after the restart"
check_window 770x1162 again
quit_program
echo "zoom: centred and shaped at 100 % and 175 %; TIME pressed at 175 % ($pressed pixels);" \
    "WindowZoom=175 stored; back at 175 % after a restart"
