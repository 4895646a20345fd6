#!/usr/bin/env bash
# Start-up messages a player must be able to read and answer: the library shows them in an
# xmessage window, which can take the keyboard only once the full-screen display has let it
# go. With no sound card the message is answered with Return and the game goes on to its
# title screen; with a level file missing the message is answered and the game ends with
# status 1. Each box is compared with one xmessage draws of the expected text.
set -u
here=$(dirname "$0")
. "$here/lib.bash"
wmclose=$2
e2e_setup "$1"

# Pixels of a window (drawn, not just mapped) as a hash.
window_hash() {
    sleep 0.5
    import -window "$1" "$work/$2.png" 2>/dev/null
    [ -n "${E2E_SHOTS:-}" ] && cp "$work/$2.png" "$E2E_SHOTS/$2.png"
    convert "$work/$2.png" rgb:- | md5sum | cut -c1-16
}

# Hash of the box xmessage draws for the text, as the library calls it.
expected_box_hash() {
    xmessage -buttons OK:101 -default OK -center "$1"$'\n' &
    local pid=$! w
    w=$(e2e_wait_box) || { kill "$pid"; fail "xmessage itself shows no window"; }
    window_hash "$w" expected
    kill "$pid"; wait "$pid" 2>/dev/null
    for _ in $(seq 50); do
        [ -z "$(xdotool search --class xmessage 2>/dev/null)" ] && return 0
        sleep 0.1
    done
}

xdotool mousemove 0 0

# ---- No sound card: ALSA finds no device, and nothing else plays here.
sound_box=$(expected_box_hash "Unable to Detect Sound Card")
printf 'pcm.!default { type hw card 9 }\nctl.!default { type hw card 9 }\n' > "$work/nocard.conf"
ALSA_CONFIG_PATH=$work/nocard.conf e2e_start_game
box=$(e2e_wait_box) || fail "no sound card: no message box"
[ "$(grep -c '^gor: no sound card found' "$work/gor.err")" = 1 ] ||
    fail "no sound card: the terminal was not told, once, before the box"
[ "$(window_hash "$box" nosound_box)" = "$sound_box" ] ||
    fail "no sound card: the box does not show \"Unable to Detect Sound Card\""
e2e_answer_box "$box"
e2e_page_geometry 800 600
title=0
for _ in $(seq 20); do
    sleep 0.5
    kill -0 "$game_pid" 2>/dev/null || fail "no sound card: the game ended"
    e2e_shot nosound_title
    if e2e_colour_near nosound_title 120 300 200 400 76 99 124 14 &&
       e2e_colour_near nosound_title 1100 100 400 200 30 20 33 14; then
        title=1; break
    fi
done
[ $title = 1 ] || fail "no sound card: no title screen after the message was answered ($last_colour)"
[ -z "$(xdotool search --class xmessage 2>/dev/null)" ] || fail "no sound card: the box is still there"
echo "ok: no sound card: $(grep '^gor: no sound' "$work/gor.err"); the box was answered with Return and the title screen came up"
win=$(e2e_wait_window) || fail "no sound card: no game window"
"$wmclose" "$win"
e2e_wait_exit 10
[ "$exit_status" = "0" ] || fail "no sound card: close request: exit status $exit_status"

# ---- A level file missing: the message names it, is answered, and the game ends with 1.
rm "$work/game/london.fmp"
map_box=$(expected_box_hash 'cannot load the level file "london.fmp" from the working directory')
e2e_start_game
box=$(e2e_wait_box) || fail "missing map: no message box (exit status: $(e2e_wait_exit 1; echo "$exit_status"))"
[ "$(window_hash "$box" nomap_box)" = "$map_box" ] || fail "missing map: the box does not show the message"
kill -0 "$game_pid" 2>/dev/null || fail "missing map: the game ended before the message was answered"
e2e_answer_box "$box"
e2e_wait_exit 10
[ "$exit_status" = "1" ] || fail "missing map: exit status $exit_status after the message was answered"
grep -q 'london.fmp' "$work/gor.err" || fail "missing map: the terminal was not told"
echo "ok: missing map: the message was shown, answered, and the game ended with status 1"
