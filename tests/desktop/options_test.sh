#!/usr/bin/env bash
# fluffo-brambo's command line, one case per row: what it prints, its exit status, and whether
# a window comes up. The --skin row tries a skin folder whose Config.ini moves the GAME B button;
# a click where it now is presses GAME B (the run's recording shows it), a click where it was
# does not.
# Usage: options_test.sh <fluffo-brambo> <run folder> <version>. Exits 77 when there is no Xvfb.
set -euo pipefail
program=$1
run_dir=$2
version=$3
test_name=options
# shellcheck source=tests/desktop/xvfb_session.sh
. "$(dirname "$0")/xvfb_session.sh"

# The moved skin: the run folder's Config.ini with GAME B (Image5 and its pressed look, Image6)
# at 40,330; its relative folders start in the skin folder, which links to the pictures.
skin="$tmp/moved skin"
mkdir -p "$skin"
ln -s "$run_dir/Graphics" "$skin/Graphics"
awk '/^\[Image[56]\]$/ { moved = 1 } /^\[/ && !/^\[Image[56]\]$/ { moved = 0 }
     moved && /^Left=/ { $0 = "Left=40" } moved && /^Top=/ { $0 = "Top=330" } { print }' \
    "$run_dir/Config.ini" >"$skin/Config.ini"
grep -q '^Left=40$' "$skin/Config.ini" || fail "could not move GAME B in the copied Config.ini"

# The skin row's play: a click at GAME B's old place, the Up key as a mark in the recording,
# then a click at GAME B's new place: the recording must press GAME B after the mark only.
play_moved_skin() {
    wait_for 5 find_window || fail "--skin: no visible window"
    timeout 3 xdotool windowfocus --sync "$window" || fail "--skin: cannot focus the window"
    click_at 244 315
    xdotool key --delay 60 Up
    click_at 54 340
    quit_program
    local pressed
    pressed=$(grep -x 'press up\|press game_b' "$tmp/skin.fsim" | tr '\n' ' ')
    [ "$pressed" = "press up press game_b " ] ||
        fail "--skin: the clicks at GAME B's old and new places pressed [$pressed], not [up game_b]"
}

# The fullscreen row: the whole screen for this run, the stored windowed choice kept.
check_fullscreen_run() {
    wait_for 5 find_window || fail "--fullscreen: no visible window"
    local size
    size=$(xdotool getwindowgeometry "$window" | sed -n 's/^ *Geometry: //p')
    [ "$left,$top $size" = "0,0 1024x768" ] || fail "--fullscreen: window at $left,$top $size"
    quit_program
    grep -qx 'FullscreenMode=0' "$store" || fail "--fullscreen changed the stored display"
}

usage='usage: fluffo-brambo [--skin DIR] [--windowed | --fullscreen] [--record FILE]'
# arguments (one per line) ^ exit status ^ standard output's first line ^ standard error's
# first line; or, for a run with a window: arguments ^ "window" ^ the check of the run
cases=(
    "--help^0^$usage^"
    "--version^0^$title $version^"
    "--frobnicate^2^^fluffo-brambo: unknown option \"--frobnicate\""
    "--windowed
--record^2^^fluffo-brambo: option --record needs an argument"
    "--skin^2^^fluffo-brambo: option --skin needs an argument"
    "--skin
$skin
--record
$tmp/skin.fsim^window^play_moved_skin"
    "--fullscreen^window^check_fullscreen_run"
)
for row in "${cases[@]}"; do
    IFS='^' read -r args want_status want_out want_err <<<"${row//$'\n'/$'\x1f'}"
    IFS=$'\x1f' read -r -a argv <<<"$args"
    shown="${args//$'\x1f'/ }"
    if [ "$want_status" = window ]; then
        start_program "${argv[@]}"
        "$want_out"
        continue
    fi
    status=0
    XDG_CONFIG_HOME="$tmp/config" timeout 10 "$program" "${argv[@]}" >"$tmp/out" 2>"$tmp/err" ||
        status=$?
    [ "$status" = "$want_status" ] || fail "$shown: exit status $status, not $want_status"
    [ "$(head -n 1 "$tmp/out")" = "$want_out" ] ||
        fail "$shown: printed '$(head -n 1 "$tmp/out")', not '$want_out'"
    [ "$(head -n 1 "$tmp/err")" = "$want_err" ] ||
        fail "$shown: told '$(head -n 1 "$tmp/err")', not '$want_err'"
    # A refusal is one line, then the usage.
    if [ "$want_status" = 2 ]; then
        [ "$(sed -n 2p "$tmp/err")" = "$usage" ] || fail "$shown: no usage after the message"
    fi
done
echo "options: ${#cases[@]} cases"
