#!/usr/bin/env bash
# The Windows program under Wine, as a user unzipped it: type a title and a
# two-line message with umlauts, format, test, answer the box and see the
# number; the store beside the exe is Windows-1252 and comes back at the
# next start; a file of the older releases, with umlauts, is read and kept;
# the session's end saves as closing does.
source "$QUILLON_SOURCE_DIR/tests/e2e/wine-lib.sh"

# Selects the whole message box of main window $1 and prints it.
copied_message() {
    click_in "$1" 149 130
    xdotool key ctrl+a
    copy_and_print
}

make_program_dir
store="$PROGRAM_DIR/LastMsgText.txt"
start_program
main=$(wait_window "$MAIN_TITLE" 60)
activate "$main"
screenshot wine-start

click_in "$main" 186 48
xdotool key ctrl+a
xdotool type 'Grüße'
click_in "$main" 149 130
xdotool key ctrl+a
xdotool type 'Zeile 1: äöü'
xdotool key Return
xdotool type 'Zeile 2: ÄÖÜß'

# "MsgBox testen": the box is titled as typed; Return presses OK, number 1.
click_in "$main" 468 184
box=$(wait_window 'Grüße' 20)
screenshot wine-messagebox
activate "$box"
xdotool key Return
wait_no_window 'Grüße' 10
[ "$(return_value_pixels "$main")" -gt 0 ] || fail "no return value is shown after the test"
screenshot wine-result

close_and_expect_clean_exit "$main"
printf 'Gr\xfc\xdfe###DiesIstDasTrennzeichen###Zeile 1: \xe4\xf6\xfc\r\nZeile 2: \xc4\xd6\xdc\xdf' \
    >"$PROGRAM_DIR/expected"
cmp "$store" "$PROGRAM_DIR/expected" || fail "the store is not the typed text in Windows-1252"

start_program
main=$(wait_window "$MAIN_TITLE" 60)
activate "$main"
same_as "$(copied_message "$main")" "$(printf 'Zeile 1: äöü\nZeile 2: ÄÖÜß')" "the stored message"
close_and_expect_clean_exit "$main"

# A file as the older releases wrote it, with a line break at its end.
printf 'Achtung###DiesIstDasTrennzeichen###\xc4nderungen sichern?\r\n' >"$store"
cp "$store" "$PROGRAM_DIR/older"
start_program
main=$(wait_window "$MAIN_TITLE" 60)
activate "$main"
screenshot wine-older-file
same_as "$(copied_message "$main")" "$(printf 'Änderungen sichern?\n')" "the older release's file"
close_and_expect_clean_exit "$main"
cmp "$store" "$PROGRAM_DIR/older" || fail "the older release's file was not kept as it was"

# Logging off or shutting down saves the last message as closing does:
# wineboot ends the session of every program in the prefix.
start_program
main=$(wait_window "$MAIN_TITLE" 60)
activate "$main"
click_in "$main" 186 48
xdotool key ctrl+a
xdotool type 'Abmelden'
wineboot --end-session
wait_exit "$APP_PID" 20 >"$PROGRAM_DIR/status"
head -c 8 "$store" | grep -q '^Abmelden' || fail "the session's end did not save the last message"

rm -rf "$PROGRAM_DIR"
echo "wine store: ok"
