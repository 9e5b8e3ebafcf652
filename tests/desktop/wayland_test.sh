#!/usr/bin/env bash
# The real program on a headless Wayland compositor (sway), natively (QT_QPA_PLATFORM=wayland)
# and through Xwayland (xcb), started the way a returning player starts it: on each, the
# handheld's corners show the desktop behind it and the key colour is nowhere; a click on the
# drawn TIME button shows the clock; TIME held for a second switches to the alarm once; a
# second click brings the clock back; a drag on the case moves the window by the drag; and
# Escape ends the program with status 0. Every check runs even when an earlier one failed,
# and each platform's line tells which passed.
# Usage: wayland_test.sh <fluffo-brambo> <virtual_pointer> [platform...]  (default: wayland
# xcb). Exits 77 (skipped) when sway or its tools cannot start.
set -euo pipefail

program=$1
pointer_tool=$2
shift 2
platforms=("$@")
[ "${#platforms[@]}" -gt 0 ] || platforms=(wayland xcb)
# (Each platform once: sway 1.7 crashes when a virtual pointer enters an Xwayland window
# after others have closed.)
test_name=wayland
# The local hour is 3 (or 15), so the clock's hour digits differ from the alarm's 12.
utc_hour=$((10#$(date -u +%H)))
ahead=$(((3 - utc_hour + 24) % 24))
[ "$ahead" -le 12 ] || ahead=$((ahead - 24))
if [ "$ahead" -gt 0 ]; then TZ="FBT-$ahead"; else TZ="FBT+$((-ahead))"; fi
export TZ
# shellcheck source=tests/desktop/sway_session.sh
. "$(dirname "$0")/sway_session.sh"
if ! compgen -G "/usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so" >/dev/null; then
    skip "Qt's Wayland platform (qt6-wayland) is not installed"
fi

# In window pixels at 100 %, as the skin places them (Config.ini): the LCD glass, the clock's
# hour digits, the TIME button's middle, a point of the case away from every button.
lcd_area='248x224+96+52'
hour_digits='40x26+222+33'
time_button='294 315'
case_point='60 330'
drag_by='150 100'
size=440x664


failures=()
missed() { failures+=("$platform: $*"); passed_line+=" [$1: FAILED]"; }
ok() { passed_line+=" [$1: ok]"; }

painted() {
    shot "$1"
    local middle
    middle=$(pixel "$1" $((left + width / 2)) $((top + height / 2)))
    [ "$middle" != "$background_rgb" ] && [ "$middle" != 'srgb(0,0,0)' ]
}
corners_show_desktop() {
    shot corners
    local corner x y
    corner_colours=""
    for corner in "$left $top" "$((left + width - 1)) $top" "$left $((top + height - 1))" \
        "$((left + width - 1)) $((top + height - 1))"; do
        read -r x y <<<"$corner"
        corner_colours+=" $x,$y:$(pixel corners "$x" "$y")"
    done
    [ "$(grep -o "$background_rgb" <<<"$corner_colours" | wc -l)" = 4 ]
}
keyed_pixels() {
    convert "$home/corners.png" -fill black +opaque '#ff00ff' -fill white -opaque '#ff00ff' \
        -format '%[fx:round(mean*w*h)]' info:
}
lcd_left_lit() { area_shot lcd_now "$lcd_area" && ! same lcd_lit lcd_now; }
digits_differ_from() { area_shot digits_now "$hour_digits" && ! same "$1" digits_now; }
digits_show() { area_shot digits_now "$hour_digits" && same "$1" digits_now; }
moved_to() { find_window && [ "$left,$top" = "$1" ]; }

# TIME (the "3" key) held for 1.2 s in the clock: the hour digits change from the clock's once
# and stay so while it is held and after its release.
check_held_time() {
    area_shot clock "$hour_digits"
    run_as wtype -s 300 -P 3 -s 1200 -p 3 -s 300 &
    local holder=$! looks=0 verdict=""
    if ! wait_for 2 digits_differ_from clock; then
        verdict="TIME held did not switch the clock to the alarm"
    else
        cp "$home/digits_now.png" "$home/alarm.png"
        while [ -z "$verdict" ] && kill -0 "$holder" 2>/dev/null; do
            looks=$((looks + 1))
            digits_show alarm || verdict="TIME held switched more than once ($looks looks)"
        done
    fi
    wait "$holder" || verdict="wtype failed"
    [ -n "$verdict" ] || digits_show alarm || verdict="TIME switched again at its release"
    if [ -n "$verdict" ]; then missed "held TIME" "$verdict"; else ok "held TIME ($looks looks)"; fi
}

# A drag from the case point by drag_by, in ten steps: the window ends up moved by it.
check_drag() {
    local x y dx dy from steps=() i
    read -r x y <<<"$case_point"
    read -r dx dy <<<"$drag_by"
    x=$((left + x)) y=$((top + y)) from="$left,$top"
    for i in 1 2 3 4 5 6 7 8 9 10; do
        steps+=(move-abs $((x + dx * i / 10)) $((y + dy * i / 10)) wait 30)
    done
    point move-abs "$x" "$y" wait 100 press left wait 100 "${steps[@]}" wait 100 release left
    if wait_for 2 moved_to "$((left + dx)),$((top + dy))"; then
        ok "drag by $dx,$dy"
    else
        find_window || true
        missed drag "the drag by $dx,$dy moved the window from $from to $left,$top"
    fi
}

run_platform() {
    platform=$1
    passed_line="$platform:"
    start_program "$platform"
    wait_for 10 find_window || fail "$platform: no window titled '$title' in sway's tree"
    [ "${width}x$height" = "$size" ] ||
        missed size "the window is ${width}x$height, not $size"
    wait_for 3 painted lit || missed paint "the window's middle shows the desktop or black"
    passed_line+=" at $left,$top, floating $floating;"

    if wait_for 3 corners_show_desktop && [ "$(keyed_pixels)" = 0 ]; then
        ok corners
    else
        missed corners "the corners show$corner_colours (the desktop is $background_rgb)," \
            "$(keyed_pixels) pixels of the key colour on the screen"
    fi

    # The click on TIME: the LCD leaves the all-segments test for the clock. (Without it, a
    # direction key brings the clock for the checks that follow.)
    area_shot lcd_lit "$lcd_area"
    # shellcheck disable=SC2086  # two numbers
    click_at $time_button
    if wait_for 2 lcd_left_lit; then ok "click on TIME"; else
        missed "click on TIME" "a click on TIME left the LCD as it was"
        keys -k Up
    fi
    area_shot clock "$hour_digits"
    cp "$home/clock.png" "$home/first_clock.png"
    check_held_time
    # shellcheck disable=SC2086
    click_at $time_button
    if wait_for 2 digits_show first_clock; then ok "second click: the clock again"; else
        missed "second click" "a second click on TIME did not bring the clock back"
    fi

    check_drag

    find_window || true
    keys -k Escape
    if wait_for 3 exited; then
        local status=0
        wait "$app_pid" || status=$?
        app_pid=""
        if [ "$status" = 0 ]; then ok "Escape: exit 0"; else missed Escape "exit status $status"; fi
    else
        missed Escape "still running 3 s after Escape"
        kill "$app_pid" 2>/dev/null || true
        wait "$app_pid" 2>/dev/null || true
        app_pid=""
    fi
    echo "$passed_line"
    # SHOTS=DIR keeps the screenshots of each platform for a look.
    if [ -n "${SHOTS:-}" ]; then
        for f in "$home"/*.png; do cp "$f" "$SHOTS/$platform-$(basename "$f")"; done
    fi
    if [ "${#failures[@]}" -gt 0 ] && [ -s "$tmp/app.log" ]; then
        sed "s/^/  $platform program: /" "$tmp/app.log"
    fi
}

for p in "${platforms[@]}"; do run_platform "$p"; done
if [ "${#failures[@]}" -gt 0 ]; then
    printf '%s\n' "${failures[@]}" >&2
    fail "${#failures[@]} checks failed"
fi
echo "wayland: every check passed on ${platforms[*]}"
