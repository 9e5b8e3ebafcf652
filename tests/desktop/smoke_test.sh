#!/usr/bin/env bash
# The real program on a virtual X server, started the way a returning player starts it (a
# sound choice stored, no start screen, windowed): its window comes up centred and cut to the
# handheld's shape; TIME held for a second in the clock switches once; it answers the keys
# while a game runs; over the game, Right held in the manual turns one page, and Escape held
# for two seconds in the about window, the manual and the key settings (which keep the
# keyboard when the handheld is clicked) closes each alone; and Escape ends it cleanly with
# the player's choices still in the store. Held keys repeat as the X server repeats them.
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
for tool in xsetroot xset xwininfo import convert compare; do
    command -v "$tool" >/dev/null || { echo "smoke: $tool is missing" >&2; exit 1; }
done
xsetroot -solid "$root_colour"
# A held key repeats (the server's default, said once more).
xset r on
xset q | grep -q 'auto repeat: *on' || fail "the server does not repeat held keys"

# The local hour is 3 (or 15), so the clock's hour digits differ from the alarm's 12.
utc_hour=$((10#$(date -u +%H)))
ahead=$(((3 - utc_hour + 24) % 24))
[ "$ahead" -le 12 ] || ahead=$((ahead - 24))
if [ "$ahead" -gt 0 ]; then zone="FBT-$ahead"; else zone="FBT+$((-ahead))"; fi
export TZ="$zone"

# shellcheck disable=SC2119  # no options: the program as a player starts it
start_program
window=""
wait_for 5 find_window || fail "no visible window titled '$title'"

check_window 440x664 lit
lcd_changes() { area_changes "$1" "$2" "$lcd_area"; }

# A direction leaves the all-segments test for the clock. TIME (the "3" key by default) held
# for a second there switches to the alarm display once: the hour's digits, watched all the
# while, change once and stay.
hour_digits='40x26+222+33' # digit positions 1 and 2, in window pixels
on_screen() {
    awk -F'[x+]' -v l="$1" -v t="$2" '{ printf "%sx%s+%d+%d", $1, $2, $3 + l, $4 + t }' <<<"$3"
}
digits_shot() { import -window root -crop "$(on_screen "$left" "$top" "$hour_digits")" "$tmp/$1.png"; }
same() { [ "$(compare -metric AE "$tmp/$1.png" "$tmp/$2.png" null: 2>&1)" = 0 ]; }
switched() { digits_shot alarm && ! same clock alarm; }
now_ms() { echo $(($(date +%s%N) / 1000000)); }
timeout 3 xdotool windowfocus --sync "$window" || fail "cannot focus the window"
xdotool key --delay 60 Up
sleep 0.3
digits_shot clock
held_since=$(now_ms)
xdotool keydown 3
wait_for 1 switched || { xdotool keyup 3; fail "TIME did not switch the clock to the alarm"; }
looks=0
while [ $(($(now_ms) - held_since)) -lt 1000 ] || [ "$looks" -lt 3 ]; do
    looks=$((looks + 1))
    digits_shot "held$looks"
    same alarm "held$looks" || { xdotool keyup 3; fail "TIME held switched more than once"; }
done
xdotool keyup 3
for after in 1 2 3; do
    sleep 0.1
    digits_shot "after$after"
    same alarm "after$after" || fail "TIME held switched more than once (after its release)"
done
xdotool key --delay 60 3 # back to the clock

# Play: GAME A (the "1" key by default) starts a game, the directions steer it.
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


# Over the game, with the pointer resting on the handheld: Escape held for two seconds closes
# the window it was pressed in, and its repeats and release do nothing in the game's window
# (whose Escape is Exit).
shown_titled() { xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; }
gone_titled() { ! shown_titled "$1"; }
point_at() { xdotool mousemove $((left + $1)) $((top + $2)); }
hold_escape_in() {
    xdotool keydown Escape
    sleep 2
    xdotool keyup Escape
    wait_for 3 gone_titled "$1" || fail "Escape held did not close '$1'"
    sleep 0.3
    ! exited || fail "Escape held in '$1' ended the program"
}
open_with() {
    timeout 3 xdotool windowfocus --sync "$window" || fail "cannot focus the window"
    xdotool key "$1"
    wait_for 3 shown_titled "$2" || fail "$1 did not bring up '$2'"
}

# The about window (F1).
point_at 220 150 # the LCD, beside the about window
open_with F1 'About the author\.\.\.'
hold_escape_in 'About the author\.\.\.'

# The manual (F4): Right held for a second and a half turns one page, when it is released.
point_at 60 330 # the handheld's body, beside the manual
open_with F4 Manual
manual=$(xdotool search --onlyvisible --name '^Manual$' | head -n 1)
manual_X=0 manual_Y=0
eval "$(xdotool getwindowgeometry --shell "$manual" | sed 's/^/manual_/')"
page_area='235x360+20+24' # the page's own pixels, inside its frame and away from the buttons
for n in 1 2; do
    convert "$(dirname "$program")/Graphics/Manual/$n.bmp" -crop "$page_area" +repage \
        "$tmp/page$n.png"
done
shows_page() {
    import -window root -crop "$(on_screen "$manual_X" "$manual_Y" "$page_area")" \
        "$tmp/manual_now.png"
    same "page$1" manual_now
}
wait_for 2 shows_page 1 || fail "the manual does not open on page 1"
xdotool keydown Right
sleep 1.5
shows_page 1 || { xdotool keyup Right; fail "Right held turned a page before its release"; }
xdotool keyup Right
wait_for 2 shows_page 2 || fail "Right held for 1.5 s did not turn to page 2"
sleep 0.3
shows_page 2 || fail "Right held for 1.5 s turned more than one page"
hold_escape_in Manual

# The key settings, from the pop-up menu (its seventh line). A click on the handheld, disabled
# beneath them, leaves them the keyboard: Escape held there closes them.
point_at 220 150
xdotool click 3
sleep 0.4
xdotool key --delay 40 Down Down Down Down Down Down Return
wait_for 3 shown_titled 'Key settings' || fail "the pop-up menu did not bring up 'Key settings'"
sleep 0.3
xdotool click 1
sleep 0.4
hold_escape_in 'Key settings'

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
echo "smoke: window centred at $left,$top and shaped; TIME held 1 s switched once" \
    "($looks looks); LCD pixels changed: $to_game into the game, $in_game in 0.8 s of play;" \
    "Right held 1.5 s turned one page; Escape held 2 s closed the about window, the manual and" \
    "the key settings alone; exited 0; store kept"
