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

# The window at its place: left, top, width and height, as the window system has them.
place_window() {
    local info
    info=$(xwininfo -id "$window")
    field() { sed -n "s/^ *$1: *//p" <<<"$info"; }
    left=$(field 'Absolute upper-left X')
    top=$(field 'Absolute upper-left Y')
    width=$(field 'Width')
    height=$(field 'Height')
    [ "$(field 'Map State')" = IsViewable ]
}
# At size $1 (WxH) and centred on the screen; the window system may move it a moment after
# it resized it.
centred_at_size() {
    place_window && [ "${width}x${height}" = "$1" ] &&
        [ "$left,$top" = "$(((screen_w - width) / 2)),$(((screen_h - height) / 2))" ]
}
painted() {
    shot "$1"
    local middle
    middle=$(pixel "$1" $((left + width / 2)) $((top + height / 2)))
    [ "$middle" != "$root_rgb" ] && [ "$middle" != 'srgb(0,0,0)' ]
}

# The window is $1 (WxH), centred on the screen, painted, and cut to the handheld's shape:
# the bounding box's corners show the root, and the key colour itself is nowhere on the screen.
check_window() {
    wait_for 3 centred_at_size "$1" ||
        fail "window is ${width}x${height} at $left,$top, not $1 centred on the screen"
    wait_for 3 painted "$2" || fail "the window's middle shows $(pixel "$2" \
$((left + width / 2)) $((top + height / 2))), not the handheld"
    local right=$((left + width - 1)) bottom=$((top + height - 1)) corner x y colour keyed
    for corner in "$left $top" "$right $top" "$left $bottom" "$right $bottom"; do
        read -r x y <<<"$corner"
        colour=$(pixel "$2" "$x" "$y")
        [ "$colour" = "$root_rgb" ] || fail "corner $x,$y shows $colour, not the root $root_rgb"
    done
    keyed=$(convert "$tmp/$2.png" -fill black +opaque '#ff00ff' -fill white -opaque '#ff00ff' \
        -format '%[fx:round(mean*w*h)]' info:)
    [ "$keyed" = 0 ] || fail "$keyed pixels of the key colour are on the screen"
}

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
