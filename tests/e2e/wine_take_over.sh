#!/usr/bin/env bash
# "VB-Code übernehmen" in the Windows program: a call with a run-time value,
# typed into the code box, taken over from its context menu. The message box
# shows the value marked, and the code is written anew with the value as the
# expression it was.
source "$QUILLON_SOURCE_DIR/tests/e2e/wine-lib.sh"

readonly CODE='    MsgBox "Datei fehlt: " & Err.Description, vbCritical, App.Title'

make_program_dir
start_program
main=$(wait_window "$MAIN_TITLE" 60)
activate "$main"

click_in "$main" 283 352
xdotool key ctrl+a Delete
xdotool type --delay 20 "$CODE"
open_context_menu "$main" 283 352
for _ in 1 2 3 4; do xdotool key Up; done
xdotool key Return
wait_mapped_windows "$MAPPED_BEFORE"
sleep 1
screenshot wine-take-over

click_in "$main" 149 130
xdotool key ctrl+a
message=$(copy_and_print)
[ "$message" = 'Datei fehlt: «Err.Description»' ] || fail "the message was not taken over: $message"
copied=$(copied_code "$main")
same_as "$copied" "$(printf '%s' "$CODE" | wine "$QUILLON_BIN_DIR/msgbox-format.exe" --reformat | tr -d '\r')" \
    "msgbox-format --reformat's"

close_and_expect_clean_exit "$main"
rm -rf "$PROGRAM_DIR"
echo "wine take over: ok"
