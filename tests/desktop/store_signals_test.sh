#!/usr/bin/env bash
# The real program on a virtual X server under attack: a lock on its store that never comes, a
# store it may not write (as an ordinary user), SIGTERM and SIGINT with sound on (the dummy
# audio driver), and a Config.ini that is missing. The handheld comes up each time with the
# refusal told; a signal ends it like a close request within a second, with status 0, and
# what the store refused is stored at the end once the store takes it again. The fatal
# start-up error ends it with status 1.
# Usage: store_signals_test.sh <fluffo-brambo>. Exits 77 (skipped) when there is no Xvfb.
set -euo pipefail

program=$(realpath "$1")
test_name='store-signals'

# shellcheck source=tests/desktop/xvfb_session.sh
. "$(dirname "$0")/xvfb_session.sh"
chmod 755 "$tmp" # an ordinary user reaches its own folders inside

# Visible windows carrying the program's title: the main window, and the error box over it.
titled() { xdotool search --onlyvisible --name "^${title//[()]/.}\$" 2>/dev/null | wc -l; }
shown() { [ "$(titled)" -ge "$1" ]; }
now_ms() { date +%s%3N; }

# A store of a returning player (no start screen, windowed) without the key values, which
# the start-up must therefore write.
make_store() {
    mkdir -p "$tmp/$1/Quillmoor"
    printf '[General]\nSoundMode=%s\nSplashScreen=0\nFullscreenMode=0\nHiScore1=1234\n' "$2" \
        >"$tmp/$1/Quillmoor/FluffoB50.conf"
    echo "$tmp/$1/Quillmoor/FluffoB50.conf"
}
# Starts the program with the given config folder, before it an optional command (a user).
start() {
    local config=$1
    shift
    mkdir -p "$tmp/runtime-$config" && chmod 700 "$tmp/runtime-$config"
    "$@" env HOME="$tmp" XDG_CONFIG_HOME="$tmp/$config" XDG_RUNTIME_DIR="$tmp/runtime-$config" \
        SDL_AUDIODRIVER=dummy QT_QPA_PLATFORM=xcb "$program" >"$tmp/app.log" 2>&1 &
    app_pid=$!
}
# Sends the signal and expects the end within a second, with status 0.
end_with() {
    kill "-$1" "$app_pid"
    wait_for 1 exited || fail "still running 1 s after SIG$1"
    local status=0
    wait "$app_pid" || status=$?
    app_pid=""
    [ "$status" = 0 ] || fail "exit status $status after SIG$1"
}

# 1. A folder where the store's lock file goes: the start-up waits for it a bounded time, the
#    handheld comes up with the refusal told, and SIGTERM, with sound on, ends it like a
#    close; the lock gone by then, the key values refused at start-up are stored at the end.
store=$(make_store lock 0)
mkdir "$store.lock"
started=$(now_ms)
start lock
wait_for 6 shown 1 || fail "no window with a lock that never comes"
up_ms=$(($(now_ms) - started))
wait_for 3 shown 2 || fail "the refused write was not told"
rmdir "$store.lock"
end_with TERM
for entry in SoundMode=0 HiScore1=1234 Key1=2 Key7=38; do
    grep -qx "$entry" "$store" || fail "the store lacks $entry: $(tr '\n' ' ' <"$store")"
done

# 2. A store an ordinary user may not write: the handheld still comes up, the refusal told,
#    and SIGINT ends it. Run as root, the program runs as the user nobody.
as_user=()
if [ "$(id -u)" = 0 ]; then
    if ! command -v setpriv >/dev/null || ! id nobody >/dev/null 2>&1; then
        echo "store-signals: no setpriv or no user nobody, skipped"
        exit 77
    fi
    as_user=(setpriv --reuid=nobody --regid="$(id -g nobody)" --clear-groups)
fi
store=$(make_store readonly 2)
before=$(cat "$store")
chmod 555 "$tmp/readonly/Quillmoor"
chmod 444 "$store"
mkdir -p "$tmp/runtime-readonly"
[ "${#as_user[@]}" = 0 ] || chown nobody "$tmp/runtime-readonly"
start readonly "${as_user[@]}"
wait_for 6 shown 1 || fail "no window with a read-only store"
wait_for 3 shown 2 || fail "the refused write was not told"
end_with INT
[ "$(cat "$store")" = "$before" ] || fail "the read-only store changed"

# 3. No Config.ini beside the program: the message, and then the end with status 1.
mkdir "$tmp/bare"
cp "$program" "$tmp/bare/"
program="$tmp/bare/$(basename "$program")"
make_store bare 2 >/dev/null
start bare
box() { xdotool search --onlyvisible --pid "$app_pid" 2>/dev/null | head -n 1; }
has_box() { [ -n "$(box)" ]; }
wait_for 6 has_box || fail "no message for the missing Config.ini"
sleep 0.2
xdotool windowfocus --sync "$(box)" key Return || fail "cannot answer the message"
wait_for 3 exited || fail "still running after the missing Config.ini was told"
status=0
wait "$app_pid" || status=$?
app_pid=""
[ "$status" = 1 ] || fail "exit status $status after the missing Config.ini, not 1"

echo "store-signals: up in ${up_ms} ms behind a lock that never comes; SIGTERM and SIGINT" \
    "ended it at once; the read-only store untouched; a missing Config.ini exits 1"
