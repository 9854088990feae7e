#!/usr/bin/env bash
# SIGTERM ends the program the normal way: exit status 0 and the last
# message saved. A stored record comes back byte for byte, so a restart does
# not grow the message.
source "$QUILLON_SOURCE_DIR/tests/e2e/lib.sh"

separator='###DiesIstDasTrennzeichen###'

run_until_sigterm() {
    start_program
    wait_window "$MAIN_TITLE" >/dev/null
    sleep 0.5
    kill -TERM "$APP_PID"
    wait_exit "$APP_PID" >"$PROGRAM_DIR/exit-status" # not in a subshell: wait needs its child
    [ "$(<"$PROGRAM_DIR/exit-status")" = 0 ] || fail "exit status $(<"$PROGRAM_DIR/exit-status")"
}

make_program_dir
store="$PROGRAM_DIR/LastMsgText.txt"

run_until_sigterm
printf 'Titelleiste%sOriginal - Text\r\n' "$separator" >"$PROGRAM_DIR/expected"
cmp "$store" "$PROGRAM_DIR/expected" || fail "design-time texts not saved on SIGTERM"

printf 'Gr\xfc\xdfe%sZeile 1\r\nZeile 2 \x80' "$separator" >"$store"
cp "$store" "$PROGRAM_DIR/expected"
run_until_sigterm
cmp "$store" "$PROGRAM_DIR/expected" || fail "stored record changed by a run"
echo "SIGTERM saved the texts and ended the program with status 0"
