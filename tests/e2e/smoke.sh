#!/usr/bin/env bash
# The real program under X: its window comes up, the count follows what is
# typed, and closing the window ends the program normally with the text stored.
source "$QUILLON_SOURCE_DIR/tests/e2e/lib.sh"

make_program_dir
start_program
id=$(wait_window "$MAIN_TITLE" 10)
activate "$id"
screenshot smoke-start

[ "$(count_label_colours "$id")" -eq 1 ] || fail "the count label is not empty at start"

# Plain ASCII: xdotool types other characters through a key it remaps for
# the moment, and the next remapping can come before the program reads it.
xdotool type --delay 30 'Hallo'
for _ in $(seq 50); do
    [ "$(count_label_colours "$id")" -gt 1 ] && break
    sleep 0.1
done
screenshot smoke-typed
[ "$(count_label_colours "$id")" -gt 1 ] || fail "typing did not change the count"

close_window "$id"
# Not in $(...): only this shell can wait for its own child.
wait_exit "$APP_PID" 10 >"$PROGRAM_DIR/status"
status=$(<"$PROGRAM_DIR/status")
[ "$status" -eq 0 ] || fail "exit status $status"

stored=$(iconv -f WINDOWS-1252 -t UTF-8 "$PROGRAM_DIR/LastMsgText.txt")
expected='Titelleiste###DiesIstDasTrennzeichen###HalloOriginal - Text'
[[ "$stored" == "$expected"* ]] || fail "stored '$stored', expected it to start with '$expected'"
rm -rf "$PROGRAM_DIR"
echo "smoke: ok"
