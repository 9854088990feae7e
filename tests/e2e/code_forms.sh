#!/usr/bin/env bash
# A code form in the real program: "  Ja, Nein" in the options window, form
# "Select Case" from the code box's context menu, "Text formatieren", copy:
# the copied code is the one msgbox-format --form select writes.
source "$QUILLON_SOURCE_DIR/tests/e2e/lib.sh"

readonly OPTIONS_TITLE='Icons and Buttons'

make_program_dir
start_program
main=$(wait_window "$MAIN_TITLE" 10)
activate "$main"

click_in "$main" 149 130
xdotool key ctrl+a
xdotool type --delay 20 'Weiter?'

click_in "$main" 497 49
options=$(wait_window "$OPTIONS_TITLE" 10)
activate "$options"
click_in "$options" 224 136
activate "$main"

# The last entry of the menu is the "Code-Form" submenu; "Select Case" is
# its fourth entry.
move_to "$main" 283 352
xdotool click 3
sleep 0.5
xdotool key Up Right
sleep 0.3
xdotool key Down Down Down Return
sleep 0.3
click_in "$main" 468 144
screenshot code-form-select

move_to "$main" 283 352
xdotool click --repeat 2 --delay 80 1
sleep 0.3
xdotool key ctrl+c
sleep 0.5
copied=$(xclip -o -selection clipboard)
expected=$(printf 'Weiter?' | "$QUILLON_BIN_DIR/msgbox-format" --buttons yesno --form select \
    | tr -d '\r')
if [ "$copied" != "$expected" ]; then
    printf 'copied:\n%s\nexpected:\n%s\n' "$copied" "$expected" >&2
    fail "the copied code differs from msgbox-format --form select's"
fi

close_window "$main"
wait_exit "$APP_PID" 10 >"$PROGRAM_DIR/status"
[ "$(<"$PROGRAM_DIR/status")" -eq 0 ] || fail "the program ended with status $(<"$PROGRAM_DIR/status")"
echo "code forms: ok"
