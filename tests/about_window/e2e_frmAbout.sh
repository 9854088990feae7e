#!/usr/bin/env bash
# The About window in the real program: " About" opens it over the main
# window, the mail link turns red under the real pointer and blue once the
# pointer has left, " Schließen " and the close button each close it. SIGINT
# while it is open still ends the program normally and saves.
source "$QUILLON_SOURCE_DIR/tests/e2e/lib.sh"

point_at() {
    move_to "$@"
    sleep 0.3
}

client_size() {
    xwininfo -id "$1" | awk '/^ *Width:/ {w=$2} /^ *Height:/ {h=$2} END {print w "x" h}'
}

# Share of the mail link's pixels in colour $2 (its underline is solid).
link_share() {
    crop_client "$1" 80 88 193 17 "$PROGRAM_DIR/link.png"
    convert "$PROGRAM_DIR/link.png" -fuzz 10% -fill black +opaque "$2" -fill white -opaque "$2" \
        -format '%[fx:mean]' info:
}

# Waits up to five seconds until the link shows colour $2 ("shows") or does not ("lacks").
wait_link() {
    for _ in $(seq 50); do
        local share
        share=$(link_share "$1" "$2")
        { [ "$3" = shows ] && [ "$share" != 0 ]; } && return 0
        { [ "$3" = lacks ] && [ "$share" = 0 ]; } && return 0
        sleep 0.1
    done
    fail "mail link: '$3 $2' not reached within five seconds"
}

# Waits until $2 windows carry the title $1 and prints the id of one that is
# not $3.
wait_window_count() {
    for _ in $(seq 100); do
        local ids
        ids=$(windows_titled "$1")
        if [ "$(grep -c . <<<"$ids")" -eq "$2" ]; then
            grep -v -x "${3:-none}" <<<"$ids" | head -n 1
            return 0
        fi
        sleep 0.1
    done
    fail "expected $2 windows titled '$1'"
}

open_about() {
    click_in "$main" 548 16 # lblAbout
    about=$(wait_window_count "$MAIN_TITLE" 2 "$main")
    sleep 0.5
}

make_program_dir
start_program
main=$(wait_window "$MAIN_TITLE")
activate "$main"

open_about
[ "$(client_size "$about")" = "417x212" ] || fail "About window is $(client_size "$about")"
screenshot about-window
click_in "$about" 208 192 # lblCloseAbout
wait_window_count "$MAIN_TITLE" 1 >/dev/null

open_about
point_at "$about" 10 10
wait_link "$about" '#0000FF' shows
[ "$(link_share "$about" '#FF0000')" = 0 ] || fail "link red before the pointer came"
point_at "$about" 100 95
wait_link "$about" '#FF0000' shows
screenshot about-link-hover
xdotool mousemove 5 5 # past the window's edge in one move
wait_link "$about" '#FF0000' lacks
wait_link "$about" '#0000FF' shows
close_window "$about"
wait_window_count "$MAIN_TITLE" 1 >/dev/null

open_about
kill -INT "$APP_PID"
wait_exit "$APP_PID" >"$PROGRAM_DIR/exit-status" # not in a subshell: wait needs its child
status=$(<"$PROGRAM_DIR/exit-status")
[ "$status" = 0 ] || fail "exit status $status"
[ -s "$PROGRAM_DIR/LastMsgText.txt" ] || fail "nothing saved on SIGINT"
echo "About window: opened, hover colour, both ways to close; SIGINT over it saved"
