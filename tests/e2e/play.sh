#!/usr/bin/env bash
# The real program played end to end under Xvfb with real key presses and mouse clicks:
# the title screen, an arena's pre-screen, a bout moved, paused and quit-prompted, then
# bombed to its end (left through the quit prompt while bombs are still to come), the
# result screen and back; the options page opened by a tap, with a key rebound; the
# credits; Escape, Y, the end splash and Space. Screenshots are checked region by region
# (page coordinates, 1600x1200) against the colours they must show.
set -u
here=$(dirname "$0")
. "$here/lib.bash"
e2e_setup "$1"

BG="30 20 33"        # page background
CURTAIN="76 99 124"  # title curtains and credits bars

# The title screen after a reset: the logo settles after about six seconds, then the menu
# slides in from the left.
expect_title() {
    e2e_shot "$1"
    e2e_colour_near "$1" 120 300 200 400 $CURTAIN 14 ||
        fail "$1: no curtain where the title's left curtain hangs ($last_colour)"
    e2e_colour_near "$1" 1100 100 400 200 $BG 14 ||
        fail "$1: the page background is not the title's ($last_colour)"
    local white
    white=$(convert $(e2e_crop "$1" 588 360 434 55) -fx 'r > 0.9 && g > 0.9 && b > 0.9 ? 1 : 0' \
        -format '%[fx:int(1000*mean+0.5)]' info:)
    [ "$white" -gt 20 ] || fail "$1: no logo drawn ($white per mille white)"
    e2e_colour_near "$1" 330 744 60 10 $BG 20 &&
        fail "$1: the OPTIONS label has not slid in"
    echo "ok: $1: curtains, background, logo and menu drawn"
}

e2e_page_geometry 800 600
e2e_start_game
win=$(e2e_wait_window) || fail "no window appeared"
e2e_point 1500 100
sleep 8
expect_title title

# ---- A bout on Hell: the quick-bout page, its third thumbnail, the pre-screen, Space.
lava_lit() {   # the Hell arena's lava glows at the foot of the page
    read -r lr lg lb <<< "$(e2e_mean "$1" 200 1120 1200 50)"
    [ "$lr" -gt 150 ] && [ "$lr" -gt $(( lb + 60 )) ]
}
e2e_click 360 610                      # QUICK BOUT
sleep 1.5
e2e_shot quickbout
e2e_colour_near quickbout 560 460 130 90 $BG 10 && fail "quickbout: no Hell thumbnail"
e2e_click 625 506                      # the Hell thumbnail
sleep 2
e2e_shot premap
e2e_colour_near premap 120 300 200 400 $CURTAIN 14 && fail "premap: still the title page"
echo "ok: the Hell thumbnail opened the pre-screen"
e2e_key space
sleep 10                               # the fighters take about eight seconds to spawn
e2e_shot bout
lava_lit bout || fail "bout: no Hell arena on screen ($(e2e_mean bout 200 1120 1200 50))"
echo "ok: Space started the bout on Hell"

# He stands left of his force field; a short run takes him along the ledge past it (a long
# one would drop him into the lava).
before=$(e2e_green_share bout 345 600 135 115)
xdotool keydown d; sleep 0.4; xdotool keyup d
e2e_shot ran
after=$(e2e_green_share ran 345 600 135 115)
[ "$after" -gt "$before" ] || fail "ran: no fighter ran right ($before -> $after per mille green)"
echo "ok: player 1 ran right ($before -> $after per mille green)"

# P toggles the pause, and held for ten ticks it toggles again: a press the game saw for
# too many ticks or for none (both happen when X holds the game up) is pressed again.
toggle_pause() {   # <shot name> <1 when the arena should end up tinted>
    for _ in 1 2 3; do
        e2e_key p
        sleep 1
        e2e_shot "$1"
        if lava_lit "$1"; then [ "$2" = 0 ] && return 0; else [ "$2" = 1 ] && return 0; fi
    done
    return 1
}
toggle_pause paused 1 || fail "paused: the arena is not tinted ($(e2e_mean paused 200 1120 1200 50))"
toggle_pause resumed 0 || fail "resumed: the arena is still tinted"
echo "ok: P paused and resumed"

e2e_key Escape
sleep 1.2
e2e_shot prompt
e2e_colour_near prompt 200 1120 400 50 0 0 0 12 || fail "prompt: the arena did not darken ($last_colour)"
e2e_key n
sleep 0.5
e2e_shot unprompted
lava_lit unprompted || fail "unprompted: N did not bring the bout back"
echo "ok: Escape opened the quit prompt and N went back to the bout"

# Player 1 bombs until his own pool runs dry; the result screen fades the arena.
ended=0
for _ in $(seq 300); do
    e2e_key j
    e2e_shot bombing
    if ! lava_lit bombing; then ended=1; break; fi
done
[ "$ended" = 1 ] || fail "bombing: the bout did not end"
sleep 3
e2e_shot result
e2e_colour_near result 702 1128 100 8 0 0 0 12 && fail "result: no back-to-menu button"
echo "ok: the bout ended on player 1's bombs and the result screen followed"
e2e_click 760 1132                     # back to menu
sleep 8
expect_title title_again

# ---- The options page, opened by a tap: player 1's left key rebound to K.
e2e_tap 360 750                        # OPTIONS
sleep 2
e2e_shot options
e2e_colour_near options 425 653 200 8 $BG 25 && fail "options: a tap on OPTIONS did not open the page"
a_label=$(e2e_hash options 548 650 18 14)
e2e_click 500 657                      # player 1's LEFT row
sleep 0.3
e2e_key k
sleep 0.5
e2e_point 1500 100
sleep 0.3
e2e_shot rebound
k_label=$(e2e_hash rebound 548 650 18 14)
[ "$a_label" != "$k_label" ] || fail "rebound: the LEFT binding's label did not change"
echo "ok: options page drawn and player 1's LEFT rebound"
e2e_click 790 1088                     # BACK
sleep 2

# ---- The credits and back.
e2e_click 360 820                      # CREDITS
sleep 1
e2e_shot credits
e2e_colour_near credits 1100 60 400 100 $BG 10 || fail "credits: background ($last_colour)"
e2e_colour_near credits 160 240 1000 300 $BG 10 && fail "credits: no credits picture"
e2e_colour_near credits 705 1128 100 8 $BG 10 && fail "credits: no back-to-menu button"
echo "ok: credits shown"
e2e_click 760 1132                     # back to menu
sleep 8
expect_title title_after_credits

# ---- Escape, Y, the end splash, Space.
e2e_key Escape
sleep 1
e2e_shot quit_prompt
e2e_colour_near quit_prompt 120 300 200 400 0 0 0 12 || fail "quit prompt: the title did not darken ($last_colour)"
e2e_colour_near quit_prompt 702 420 80 10 0 0 0 12 && fail "quit prompt: no QUIT label"
echo "ok: Escape opened the quit prompt over the title"
e2e_key y
sleep 10
e2e_shot splash
e2e_colour_near splash 200 40 100 80 $BG 20 && fail "end splash: no first picture after ten seconds"
e2e_colour_near splash 591 360 100 30 $BG 10 && fail "end splash: no logo"
echo "ok: Y opened the end splash"
e2e_key space
e2e_wait_exit 10
[ "$exit_status" = "0" ] || fail "Space on the end splash: exit status $exit_status"
echo "ok: Space ended the program with status 0"

grep -q '^p1left = 11$' "$work/game/gorSetup.cfg" || fail "gorSetup.cfg does not hold the rebound key"
echo "ok: gorSetup.cfg holds player 1's LEFT on K"
grep -q '^map10code = ' "$work/game/gorMaps.cfg" || fail "gorMaps.cfg does not hold London's unlock"
echo "ok: gorMaps.cfg holds London's unlock"
