#!/usr/bin/env bash
# The options window in the real program: hidden at start, opened from the
# main window, its close button only hides it and keeps the choices, its
# help symbol shows the hint box, and closing the main window ends both.
source "$QUILLON_SOURCE_DIR/tests/e2e/lib.sh"

readonly OPTIONS_TITLE='Icons and Buttons'
# The window list drops a title's leading blanks.
readonly HINT_TITLE="Rückgabe  ''Abbrechen''"

# The column of the icon choices' indicators, as a picture in file $2.
shoot_icon_indicators() {
    crop_client "$1" 94 54 18 205 "$2"
}

differing_pixels() {
    compare -metric AE "$1" "$2" null: 2>&1 || true
}

make_program_dir
start_program
main=$(wait_window "$MAIN_TITLE" 10)
[ "$(windows_titled "$OPTIONS_TITLE" | grep -c .)" -eq 0 ] || fail "the options window shows at start"

# Image1, the settings picture of the main window.
activate "$main"
click_in "$main" 497 49
options=$(wait_window "$OPTIONS_TITLE" 10)
activate "$options"
shoot_icon_indicators "$options" "$PROGRAM_DIR/start.png"

# "Frage".
click_in "$options" 103 104
shoot_icon_indicators "$options" "$PROGRAM_DIR/chosen.png"
screenshot options-chosen
[ "$(differing_pixels "$PROGRAM_DIR/start.png" "$PROGRAM_DIR/chosen.png")" -gt 0 ] \
    || fail "clicking Frage changed nothing"

close_window "$options"
wait_no_window "$OPTIONS_TITLE"
kill -0 "$APP_PID" 2>/dev/null || fail "closing the options window ended the program"

# Label7, "   >>>", opens the same window again with the same choices.
activate "$main"
click_in "$main" 540 49
options=$(wait_window "$OPTIONS_TITLE" 10)
activate "$options"
shoot_icon_indicators "$options" "$PROGRAM_DIR/reopened.png"
[ "$(differing_pixels "$PROGRAM_DIR/chosen.png" "$PROGRAM_DIR/reopened.png")" -eq 0 ] \
    || fail "the choice was lost by closing and opening"

# Label2, the help symbol beside "3  =  Abbrechen".
click_in "$options" 592 128
hint=$(wait_window "$HINT_TITLE" 10)
screenshot options-hint
activate "$hint"
# Abort, Retry, Ignore: as in the user's program, only a button closes it.
xdotool key Escape
sleep 0.5
[ -n "$(windows_titled "$HINT_TITLE")" ] || fail "Escape closed the hint box"
xdotool key Return
wait_no_window "$HINT_TITLE"
[ "$(windows_titled "$OPTIONS_TITLE" | grep -c .)" -eq 1 ] || fail "the hint box took the options window along"

close_window "$main"
wait_exit "$APP_PID" 10 >"$PROGRAM_DIR/status"
status=$(<"$PROGRAM_DIR/status")
[ "$status" -eq 0 ] || fail "exit status $status"
[ "$(windows_titled "$OPTIONS_TITLE" | grep -c .)" -eq 0 ] || fail "the options window outlived the program"
echo "options window: ok"
