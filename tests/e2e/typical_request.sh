#!/usr/bin/env bash
# The tool's typical request, end to end in the real program: type a title
# and a two-line message, choose "Frage" and "  Ja, Nein" in the options
# window, press "MsgBox testen", answer the real message box, see the
# returned number, then copy the code and compare it with msgbox-format's.
source "$QUILLON_SOURCE_DIR/tests/e2e/lib.sh"

readonly OPTIONS_TITLE='Icons and Buttons'

make_program_dir
start_program
main=$(wait_window "$MAIN_TITLE" 10)
activate "$main"

# Title in txtTitel, message in txtOriginal.
click_in "$main" 186 48
xdotool key ctrl+a
xdotool type --delay 20 'Frage'
click_in "$main" 149 130
xdotool key ctrl+a
xdotool type --delay 20 'Ja'
xdotool key Return
xdotool type --delay 20 'Nein'

# Image1 opens the options window: "Frage", then "  Ja, Nein".
click_in "$main" 497 49
options=$(wait_window "$OPTIONS_TITLE" 10)
activate "$options"
click_in "$options" 104 104
click_in "$options" 224 136
screenshot typical-options

# No return value shows before the test.
activate "$main"
[ "$(red_pixels_in "$main" 504 216 17 17)" -eq 0 ] || fail "a return value shows before any test"

# "MsgBox testen": the real box, titled as typed, answered with Return (Ja).
click_in "$main" 468 184
box=$(wait_window 'Frage' 10)
screenshot typical-messagebox
activate "$box"
xdotool key Return
wait_no_window 'Frage' 10
[ "$(return_value_pixels "$main")" -gt 0 ] || fail "no return value is shown after the test"
screenshot typical-result

# A double-click selects the whole code; copy it and compare.
same_as "$(copied_code "$main")" \
    "$(printf 'Ja\nNein' | "$QUILLON_BIN_DIR/msgbox-format" --title Frage --icon question \
        --buttons yesno | tr -d '\r')" "msgbox-format's"

close_and_expect_clean_exit "$main"
echo "typical request: ok"
