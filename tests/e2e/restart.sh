#!/usr/bin/env bash
# The title and a two-line message survive a restart: closing the window
# stores them, the next start shows them again (the count label shows the
# loaded text's length), and closing again leaves the file as it was.
source "$QUILLON_SOURCE_DIR/tests/e2e/lib.sh"

make_program_dir
store="$PROGRAM_DIR/LastMsgText.txt"

start_program
main=$(wait_window "$MAIN_TITLE" 10)
activate "$main"
click_in "$main" 186 48
xdotool key ctrl+a
xdotool type --delay 20 'Hinweis'
click_in "$main" 149 130
xdotool key ctrl+a
xdotool type --delay 20 'Zeile 1'
xdotool key Return
xdotool type --delay 20 'Zeile 2'
sleep 0.3
close_and_expect_clean_exit "$main"

printf 'Hinweis###DiesIstDasTrennzeichen###Zeile 1\r\nZeile 2' >"$PROGRAM_DIR/expected"
cmp "$store" "$PROGRAM_DIR/expected" || fail "the store does not hold the typed title and message"

start_program
main=$(wait_window "$MAIN_TITLE" 10)
activate "$main"
screenshot restart-loaded
[ "$(count_label_colours "$main")" -gt 1 ] || fail "no count after loading the stored text"
close_and_expect_clean_exit "$main"
cmp "$store" "$PROGRAM_DIR/expected" || fail "a restart changed the stored title or message"
rm -rf "$PROGRAM_DIR"
echo "restart: ok"
