#!/usr/bin/env bash
# The real program on a virtual X server, started the way a returning player starts it (a
# sound choice stored, no start screen, windowed): its window comes up centred and cut to the
# handheld's shape, answers the keys while a game runs, opens its about window and manual over
# the game and closes each alone, and Escape ends it cleanly with the player's choices still in
# the store.
# Usage: smoke_test.sh <fluffo-brambo>. Exits 77 (skipped) when there is no Xvfb.
set -euo pipefail

program=$1
test_name=smoke
screen_w=1024
screen_h=768
root_colour='#2f6f4f'   # a colour the handheld never shows at its corners
root_rgb='srgb(47,111,79)'
lcd_area='248x224+96+52' # the LCD glass, in window pixels

# The virtual X server (the root keeps its colour when xsetroot disconnects), the returning
# player's store, and the helpers.
# shellcheck source=tests/desktop/xvfb_session.sh
. "$(dirname "$0")/xvfb_session.sh"
for tool in xsetroot xwininfo import convert compare; do
    command -v "$tool" >/dev/null || { echo "smoke: $tool is missing" >&2; exit 1; }
done
xsetroot -solid "$root_colour"

# shellcheck disable=SC2119  # no options: the program as a player starts it
start_program
window=""
wait_for 5 find_window || fail "no visible window titled '$title'"

info=$(xwininfo -id "$window")
field() { sed -n "s/^ *$1: *//p" <<<"$info"; }
left=$(field 'Absolute upper-left X')
top=$(field 'Absolute upper-left Y')
width=$(field 'Width')
height=$(field 'Height')
[ "$(field 'Map State')" = IsViewable ] || fail "window not mapped"
[ "${width}x${height}" = 440x664 ] || fail "window is ${width}x${height}, not 440x664"
want_left=$(((screen_w - width) / 2))
want_top=$(((screen_h - height) / 2))
[ "$left,$top" = "$want_left,$want_top" ] ||
    fail "window at $left,$top, not centred at $want_left,$want_top"

shot() { import -window root "$tmp/$1.png"; }
pixel() { convert "$tmp/$1.png" -format "%[pixel:p{$2,$3}]" info:; }
# Pixels of the LCD area that differ between two screenshots.
lcd_changes() {
    local g
    g=$(awk -F'[x+]' -v l="$left" -v t="$top" '{ printf "%sx%s+%d+%d", $1, $2, $3 + l, $4 + t }' \
        <<<"$lcd_area")
    compare -metric AE "$tmp/$1.png[$g]" "$tmp/$2.png[$g]" null: 2>&1 || true
}
painted() {
    shot lit
    local middle
    middle=$(pixel lit $((left + width / 2)) $((top + height / 2)))
    [ "$middle" != "$root_rgb" ] && [ "$middle" != 'srgb(0,0,0)' ]
}
wait_for 3 painted || fail "the window's middle shows $(pixel lit $((left + width / 2)) \
$((top + height / 2))), not the handheld"

# The colour key is cut away: the bounding box's corners show the root, and the key colour
# itself is nowhere on the screen.
right=$((left + width - 1))
bottom=$((top + height - 1))
for corner in "$left $top" "$right $top" "$left $bottom" "$right $bottom"; do
    read -r x y <<<"$corner"
    colour=$(pixel lit "$x" "$y")
    [ "$colour" = "$root_rgb" ] || fail "corner $x,$y shows $colour, not the root $root_rgb"
done
keyed=$(convert "$tmp/lit.png" -fill black +opaque '#ff00ff' -fill white -opaque '#ff00ff' \
    -format '%[fx:round(mean*w*h)]' info:)
[ "$keyed" = 0 ] || fail "$keyed pixels of the key colour are on the screen"

# Play: a direction leaves the all-segments test for the clock, GAME A (the "1" key by
# default) starts a game, the directions steer it.
timeout 3 xdotool windowfocus --sync "$window" || fail "cannot focus the window"
xdotool key --delay 60 Up
xdotool key --delay 60 1
sleep 3.3 # the game's start-up tune runs before play
for key in Left Down Right Up Left; do
    xdotool key --delay 60 "$key"
    sleep 0.25
done
shot playing
sleep 0.8 # more than two game ticks
shot later
to_game=$(lcd_changes lit playing)
[ "$to_game" -gt 0 ] || fail "the LCD did not change from the lit test to the game"
in_game=$(lcd_changes playing later)
[ "$in_game" -gt 0 ] || fail "the LCD stood still for 0.8 s of play"


# The about window (F1) and the manual (F4) come up over the game; Escape in either closes
# only that window, and the game runs on.
shown_titled() { xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; }
gone_titled() { ! shown_titled "$1"; }
for aux in 'F1 About the author\.\.\.' 'F4 Manual'; do
    read -r key name <<<"$aux"
    timeout 3 xdotool windowfocus --sync "$window" || fail "cannot focus the window"
    xdotool key "$key"
    wait_for 3 shown_titled "$name" || fail "$key did not bring up '$name'"
    xdotool key Escape
    wait_for 3 gone_titled "$name" || fail "Escape did not close '$name'"
    sleep 0.2
    exited && fail "Escape in '$name' ended the program"
done
timeout 3 xdotool windowfocus --sync "$window" || fail "cannot focus the window"
xdotool key Escape
wait_for 2 exited || fail "still running 2 s after Escape"
status=0
wait "$app_pid" || status=$?
app_pid=""
[ "$status" = 0 ] || fail "exit status $status"

# Nothing the player chose is lost, and the key bindings were written (their defaults).
for entry in SoundMode=2 SplashScreen=0 FullscreenMode=0 CtrlrOverlay=1 HiScore1=1234 \
    HiScore2=567 Key1=2 Key2=3 Key3=4 Key4=37 Key5=39 Key6=40 Key7=38; do
    grep -qx "$entry" "$store" || fail "the store lacks $entry: $(tr '\n' ' ' <"$store")"
done
echo "smoke: window centred at $left,$top and shaped; LCD pixels changed: $to_game into the" \
    "game, $in_game in 0.8 s of play; about and manual closed alone; exited 0; store kept"
