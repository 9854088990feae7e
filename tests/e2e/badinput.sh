#!/usr/bin/env bash
# Bad input in the real program: a 1 MiB paste is refused at once with the
# limit message; control characters, NULs, right-to-left text and emoji go
# through formatting, the test and the store without loss; a broken, empty,
# misplaced or unreadable store never keeps the program from starting.
source "$QUILLON_SOURCE_DIR/tests/e2e/lib.sh"

readonly NO_TITLE_BOX='MsgBox - Quillon'
readonly SEPARATOR='###DiesIstDasTrennzeichen###'
FORMAT="$QUILLON_BIN_DIR/msgbox-format"

# Control centres in the main window's client area, from its form.
title_box() { click_in "$1" 186 48; }
message_box() { click_in "$1" 186 144; }
format_button() { click_in "$1" 468 144; }
test_button() { click_in "$1" 468 184; }

# Waits up to $2 seconds for a window that is not among the ids in $1.
wait_new_window() {
    local known=$1 timeout=${2:-10} id
    for _ in $(seq $((timeout * 10))); do
        for id in $(all_window_ids); do
            grep -qx "$id" <<<"$known" || { echo "$id"; return 0; }
        done
        sleep 0.1
    done
    fail "no new window within ${timeout}s"
}

wait_window_gone() {
    local id=$1 timeout=${2:-10}
    for _ in $(seq $((timeout * 10))); do
        all_window_ids | grep -qx "$id" || return 0
        sleep 0.1
    done
    fail "window $id still open after ${timeout}s"
}

# Puts the bytes of file $1 on the clipboard; xclip keeps serving them.
clipboard_from() {
    xclip -selection clipboard -i "$1"
    sleep 0.2
}

# Selects everything in the box under the click and pastes over it.
paste_into() {
    "$1" "$2"
    xdotool key ctrl+a ctrl+v
    sleep 0.5
}

expect_exit_0() {
    close_window "$1"
    wait_exit "$APP_PID" "${2:-20}" >"$PROGRAM_DIR/status"
    [ "$(<"$PROGRAM_DIR/status")" -eq 0 ] || fail "$3: exit status $(<"$PROGRAM_DIR/status")"
}

one_mebibyte_paste() {
    make_program_dir
    start_program
    local main box
    main=$(wait_window "$MAIN_TITLE" 10)
    activate "$main"

    # Words, blanks and now and then a line break, cut to 1 MiB.
    python3 - "$PROGRAM_DIR/big.txt" <<'EOF'
import random, sys
random.seed(1)
words = ["Zeile", "Text", "Meldung", "lang", "und", "noch", "mehr"]
parts, size = [], 0
while size < 1024 * 1024:
    part = random.choice(words) + ("\n" if random.random() < 0.1 else " ")
    parts.append(part)
    size += len(part)
text = "".join(parts)[:1024 * 1024 - 1] + "."
open(sys.argv[1], "w", newline="").write(text)
EOF
    clipboard_from "$PROGRAM_DIR/big.txt"
    paste_into message_box "$main"

    # The waits are generous: they catch a hang, not a slow answer.
    local known
    known=$(all_window_ids)
    format_button "$main"
    box=$(wait_window "$NO_TITLE_BOX" 60)
    screenshot badinput-1mib-format
    activate "$box"
    xdotool key Return
    wait_window_gone "$box" 10

    test_button "$main"
    box=$(wait_window "$NO_TITLE_BOX" 60)
    activate "$box"
    xdotool key Return
    wait_window_gone "$box" 10
    [ "$(all_window_ids)" = "$known" ] || fail "1 MiB: a window is left over"
    kill -0 "$APP_PID" 2>/dev/null || fail "1 MiB: the program died"

    expect_exit_0 "$main" 30 "1 MiB"
    {
        printf 'Titelleiste%s' "$SEPARATOR"
        sed 's/$/\r/' "$PROGRAM_DIR/big.txt" | head -c -1
    } >"$PROGRAM_DIR/expected"
    cmp -s "$PROGRAM_DIR/expected" "$PROGRAM_DIR/LastMsgText.txt" \
        || fail "1 MiB: the store does not hold the pasted text"
    rm -rf "$PROGRAM_DIR"
    echo "1 MiB paste: ok"
}

exotic_text() {
    make_program_dir
    start_program
    local main box
    main=$(wait_window "$MAIN_TITLE" 10)
    activate "$main"

    # Control characters, a right-to-left override, Hebrew, emoji; a NUL in
    # the message (the clipboard carries it), none in the title, which goes
    # to msgbox-format as an argument.
    printf 'Tab\there \xe2\x80\xae\xd7\xa9\xd7\x9c\xd7\x95\xd7\x9d\xe2\x80\xac \xf0\x9f\x98\x80 \x01\x1f "q"' \
        >"$PROGRAM_DIR/title.txt"
    printf 'Zeile 1 \xd7\xa2\xd7\x91\xd7\xa8\xd7\x99\xd7\xaa \xf0\x9f\x91\x8d\n\x07 bell\x00NUL \x1b[0m\n\n\xe2\x80\x8fEnde "zitiert" \xc3\xa4\xc3\xb6\xc3\xbc' \
        >"$PROGRAM_DIR/message.txt"
    clipboard_from "$PROGRAM_DIR/title.txt"
    paste_into title_box "$main"
    clipboard_from "$PROGRAM_DIR/message.txt"
    paste_into message_box "$main"

    local known
    known=$(all_window_ids)
    format_button "$main"
    sleep 1
    [ "$(all_window_ids)" = "$known" ] || fail "exotic text: formatting opened a window"
    copied_code "$main" >"$PROGRAM_DIR/copied.txt"
    "$FORMAT" --title "$(<"$PROGRAM_DIR/title.txt")" <"$PROGRAM_DIR/message.txt" \
        | tr -d '\r' >"$PROGRAM_DIR/expected-code.txt"
    cmp -s "$PROGRAM_DIR/copied.txt" "$PROGRAM_DIR/expected-code.txt" \
        || fail "exotic text: the code box differs from msgbox-format's code"

    test_button "$main"
    box=$(wait_new_window "$known" 10)
    screenshot badinput-exotic-test
    activate "$box"
    xdotool key Return
    wait_window_gone "$box" 10
    kill -0 "$APP_PID" 2>/dev/null || fail "exotic text: the program died"

    expect_exit_0 "$main" 20 "exotic text"
    {
        printf '\xef\xbb\xbf'
        cat "$PROGRAM_DIR/title.txt"
        printf '%s' "$SEPARATOR"
        sed 's/$/\r/' "$PROGRAM_DIR/message.txt" | head -c -1
    } >"$PROGRAM_DIR/expected"
    cmp -s "$PROGRAM_DIR/expected" "$PROGRAM_DIR/LastMsgText.txt" \
        || fail "exotic text: the store is not BOM, title, separator, message in UTF-8"

    # A start and a close without typing keep the file as it is.
    cp "$PROGRAM_DIR/LastMsgText.txt" "$PROGRAM_DIR/first"
    start_program
    main=$(wait_window "$MAIN_TITLE" 10)
    screenshot badinput-exotic-reloaded
    expect_exit_0 "$main" 20 "exotic text, second run"
    cmp -s "$PROGRAM_DIR/first" "$PROGRAM_DIR/LastMsgText.txt" \
        || fail "exotic text: a second run changed the store"
    rm -rf "$PROGRAM_DIR"
    echo "exotic text: ok"
}

# $1 names the case; $2 is a command that puts the bad store in place; with
# $3 "save fails", the close must say so on standard error.
starts_despite_store() {
    local name=$1 main
    make_program_dir
    eval "$2"
    start_program
    main=$(wait_window "$MAIN_TITLE" 10)
    expect_exit_0 "$main" 20 "store $name"
    case "${3:-}" in
    "save fails")
        grep -q 'konnte nicht' "$PROGRAM_DIR/stderr.log" \
            || fail "store $name: the failed save was not reported" ;;
    "saved in the data folder")
        [ -f "$XDG_DATA_HOME/Quillon/MsgBox - Quillon/LastMsgText.txt" ] \
            || fail "store $name: the save did not go to the data folder" ;;
    esac
    echo "store $name: ok"
    chmod -R u+rwx "$PROGRAM_DIR" 2>/dev/null || true
    rm -rf "$PROGRAM_DIR"
}

bad_stores() {
    local main store='$PROGRAM_DIR/LastMsgText.txt'
    starts_despite_store "binary garbage" \
        "python3 -c 'import random,sys; random.seed(7); sys.stdout.buffer.write(bytes(random.randrange(256) for _ in range(65536)))' >$store"
    starts_despite_store "0 bytes" ": >$store"
    starts_despite_store "separator only" "printf '%s' '$SEPARATOR' >$store"
    # A save that fails beside the program goes to the data folder; only
    # when that fails too is it lost, and said so.
    starts_despite_store "symlink to a folder" "mkdir \$PROGRAM_DIR/folder && ln -s folder $store" \
        "saved in the data folder"
    starts_despite_store "a folder" "mkdir $store" "saved in the data folder"
    starts_despite_store "a folder, and a file in the data folder's place" \
        "mkdir $store && : >\$XDG_DATA_HOME" "save fails"
    starts_despite_store "dangling symlink" "ln -s nowhere $store"
    if [ "$(id -u)" -eq 0 ]; then
        echo "store chmod 000: runs as root, for whom the file stays readable"
    fi
    starts_despite_store "chmod 000" \
        "printf 'T%sM' '$SEPARATOR' >$store && chmod 000 $store"

    # Binary garbage is not taken for a record: the close writes a whole one.
    make_program_dir
    head -c 4096 /dev/zero | tr '\0' '\377' >"$PROGRAM_DIR/LastMsgText.txt"
    start_program
    main=$(wait_window "$MAIN_TITLE" 10)
    expect_exit_0 "$main" 20 "garbage replaced"
    # The boxes' texts as designed: the message's may end with a break.
    printf 'Titelleiste%sOriginal - Text' "$SEPARATOR" >"$PROGRAM_DIR/expected"
    head -c "$(stat -c %s "$PROGRAM_DIR/expected")" "$PROGRAM_DIR/LastMsgText.txt" \
        | cmp -s "$PROGRAM_DIR/expected" - \
        || fail "a garbage store was not replaced by a whole record"
    rm -rf "$PROGRAM_DIR"
}

one_mebibyte_paste
exotic_text
bad_stores
echo "bad input: ok"
