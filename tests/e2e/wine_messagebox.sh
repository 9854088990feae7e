#!/usr/bin/env bash
# The test shows Windows' own message box (under Wine, Wine's MessageBoxW):
# "Frage" with "  Ja, Nein" and the second button as default. Escape does
# nothing on that set, as on Windows; Return answers with the default
# button and the main window shows its number, 7; with the first button as
# default, 6.
source "$QUILLON_SOURCE_DIR/tests/e2e/wine-lib.sh"

# Tests the box titled "Frage" and answers it with Return; prints how many
# red pixels the number it then shows has.
test_and_answer_with_return() {
    activate "$main"
    click_in "$main" 468 184
    box=$(wait_window 'Frage' 20)
    activate "$box"
    xdotool key Escape
    sleep 1
    [ -n "$(windows_titled 'Frage')" ] || fail "Escape closed a box without a Cancel button"
    activate "$box"
    xdotool key Return
    wait_no_window 'Frage' 10
    return_value_pixels "$main"
}

make_program_dir
start_program
main=$(wait_window "$MAIN_TITLE" 60)
activate "$main"
click_in "$main" 186 48
xdotool key ctrl+a
xdotool type 'Frage'

click_in "$main" 497 49
options=$(wait_window 'Icons and Buttons' 10)
activate "$options"
click_in "$options" 104 104
click_in "$options" 224 136
click_in "$options" 312 336
screenshot wine-box-options
seven=$(test_and_answer_with_return)
screenshot wine-box-answered-no

activate "$options"
click_in "$options" 232 336
six=$(test_and_answer_with_return)
screenshot wine-box-answered-yes

# Both show a number; a 6 has more ink than a 7 in any face.
[ "$seven" -gt 0 ] || fail "no number after answering with the default button"
[ "$six" -gt "$seven" ] || fail "the answers Ja and Nein show as $six and $seven red pixels, not as 6 and 7"

close_and_expect_clean_exit "$main"
rm -rf "$PROGRAM_DIR"
echo "wine message box: ok"
