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

# The last but one entry of the menu is the "Code-Form" submenu; "Select Case" is
# its fourth entry.
open_context_menu "$main" 283 352
xdotool key Up Up Right
wait_mapped_windows $((MAPPED_BEFORE + 2))
xdotool key Down Down Down Return
wait_mapped_windows "$MAPPED_BEFORE"
click_in "$main" 468 144
screenshot code-form-select

same_as "$(copied_code "$main")" \
    "$(printf 'Weiter?' | "$QUILLON_BIN_DIR/msgbox-format" --buttons yesno --form select \
        | tr -d '\r')" "msgbox-format --form select's"

close_and_expect_clean_exit "$main"
echo "code forms: ok"
