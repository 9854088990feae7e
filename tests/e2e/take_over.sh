#!/usr/bin/env bash
# "VB-Code übernehmen" in the real program: paste a hand-written multi-line
# statement with a run-time value and numeric flags into the code box, take
# it over from the code box's context menu, and find title, message (the
# value marked) and options set and the code written anew, as
# msgbox-format --reformat writes it.
source "$QUILLON_SOURCE_DIR/tests/e2e/lib.sh"

readonly CODE='    MsgBox "Datei " & _
        "fehlt: " & Err.Description & vbCrLf & "Nochmal?", _
        4 + 32 + 256, "Fehler"'

# Selects all of the box under the point and prints it, via the clipboard.
copied_from() {
    click_in "$@"
    xdotool key ctrl+a
    copy_and_print
}

# Opens the code box's context menu and picks its entry $2 from the bottom.
code_box_menu_entry() {
    open_context_menu "$1" 283 352
    for _ in $(seq "$2"); do xdotool key Up; done
    xdotool key Return
    wait_mapped_windows "$MAPPED_BEFORE"
}

make_program_dir
start_program
main=$(wait_window "$MAIN_TITLE" 10)
activate "$main"

printf '%s' "$CODE" | xclip -selection clipboard
click_in "$main" 283 352
xdotool key ctrl+a ctrl+v
sleep 0.3
code_box_menu_entry "$main" 4
screenshot take-over

[ "$(copied_from "$main" 186 48)" = 'Fehler' ] || fail "the title was not taken over"
message=$(copied_from "$main" 149 130)
[ "$message" = $'Datei fehlt: «Err.Description»\nNochmal?' ] || fail "the message was not taken over: $message"

copied=$(copied_code "$main")
same_as "$copied" "$(printf '%s' "$CODE" | "$QUILLON_BIN_DIR/msgbox-format" --reformat | tr -d '\r')" \
    "msgbox-format --reformat's"
grep -q 'vbQuestion Or vbYesNo Or vbDefaultButton2' <<<"$copied" \
    || fail "the options window does not hold the flags of the code"

close_and_expect_clean_exit "$main"
echo "take over: ok"
