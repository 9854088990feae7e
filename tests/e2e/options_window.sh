#!/usr/bin/env bash
# The options window in the real program: hidden at start, opened from the
# main window, its close button only hides it and keeps the choices, its
# help symbol shows the hint box, and closing the main window ends both.
source "$QUILLON_SOURCE_DIR/tests/e2e/lib.sh"

readonly OPTIONS_TITLE='Icons and Buttons'
# The window list drops a title's leading blanks.
readonly HINT_TITLE="Rückgabe  ''Abbrechen''"

# How many windows are titled exactly $1. wmctrl fails outright when a window
# vanishes while it reads the list, so an empty answer would prove nothing:
# ask again until it succeeds.
window_count() {
    local list
    for _ in $(seq 50); do
        if list=$(wmctrl -l 2>/dev/null); then
            sed -E 's/^[^ ]+ +[^ ]+ +[^ ]+ +//' <<<"$list" | grep -cxF -- "$1" || true
            return 0
        fi
        sleep 0.1
    done
    fail "wmctrl cannot list the windows"
}

# Waits up to 10 seconds until no window is titled $1.
wait_gone() {
    for _ in $(seq 100); do
        [ "$(window_count "$1")" -eq 0 ] && return 0
        sleep 0.1
    done
    fail "window '$1' still open after 10s"
}

# The client area's place on the screen; xwininfo, since xdotool reports it
# shifted by openbox's frame.
client_origin() {
    local info
    info=$(xwininfo -id "$1")
    echo "$(sed -n 's/^ *Absolute upper-left X: *//p' <<<"$info")" \
        "$(sed -n 's/^ *Absolute upper-left Y: *//p' <<<"$info")"
}

click_client() {
    local origin
    read -r -a origin <<<"$(client_origin "$1")"
    xdotool mousemove $((origin[0] + $2)) $((origin[1] + $3)) click 1
    sleep 0.3
}

# The column of the icon choices' indicators, as a picture in file $2.
shoot_icon_indicators() {
    local origin
    read -r -a origin <<<"$(client_origin "$1")"
    import -window root -crop "18x205+$((origin[0] + 94))+$((origin[1] + 54))" +repage "$2"
}

differing_pixels() {
    compare -metric AE "$1" "$2" null: 2>&1 || true
}

make_program_dir
start_program
main=$(wait_window "$MAIN_TITLE" 10)
[ "$(window_count "$OPTIONS_TITLE")" -eq 0 ] || fail "the options window shows at start"

# Image1, the settings picture of the main window.
activate "$main"
click_client "$main" 497 49
options=$(wait_window "$OPTIONS_TITLE" 10)
activate "$options"
shoot_icon_indicators "$options" "$PROGRAM_DIR/start.png"

# "Frage".
click_client "$options" 103 104
shoot_icon_indicators "$options" "$PROGRAM_DIR/chosen.png"
screenshot options-chosen
[ "$(differing_pixels "$PROGRAM_DIR/start.png" "$PROGRAM_DIR/chosen.png")" -gt 0 ] \
    || fail "clicking Frage changed nothing"

close_window "$options"
wait_gone "$OPTIONS_TITLE"
kill -0 "$APP_PID" 2>/dev/null || fail "closing the options window ended the program"

# Label7, "   >>>", opens the same window again with the same choices.
activate "$main"
click_client "$main" 540 49
options=$(wait_window "$OPTIONS_TITLE" 10)
activate "$options"
shoot_icon_indicators "$options" "$PROGRAM_DIR/reopened.png"
[ "$(differing_pixels "$PROGRAM_DIR/chosen.png" "$PROGRAM_DIR/reopened.png")" -eq 0 ] \
    || fail "the choice was lost by closing and opening"

# Label2, the help symbol beside "3  =  Abbrechen".
click_client "$options" 592 128
hint=$(wait_window "$HINT_TITLE" 10)
screenshot options-hint
activate "$hint"
xdotool key Escape
wait_gone "$HINT_TITLE"
[ "$(window_count "$OPTIONS_TITLE")" -eq 1 ] || fail "the hint box took the options window along"

close_window "$main"
wait_exit "$APP_PID" 10 >"$PROGRAM_DIR/status"
status=$(<"$PROGRAM_DIR/status")
[ "$status" -eq 0 ] || fail "exit status $status"
[ "$(window_count "$OPTIONS_TITLE")" -eq 0 ] || fail "the options window outlived the program"
echo "options window: ok"
