#!/usr/bin/env bash
# A few hundred random operations on the real window: typing, pasting,
# deleting, the scroll bar, formatting, tests answered with random keys, the
# options and About windows, help, Reset. The program must stay alive and
# answer throughout, end with status 0 and store the title and message that
# were set last. SOAK_SEED replays a run; SOAK_OPERATIONS sets its length.
source "$QUILLON_SOURCE_DIR/tests/e2e/lib.sh"

readonly OPTIONS_TITLE='Icons and Buttons'
readonly SEPARATOR='###DiesIstDasTrennzeichen###'
readonly OPERATIONS=${SOAK_OPERATIONS:-300}
# Past this the remaining operations are skipped, so the run stays bounded.
readonly SECONDS_FOR_OPERATIONS=150

SEED=${SOAK_SEED:-$(date +%s)}
RANDOM=$SEED
echo "soak seed: $SEED (replay with SOAK_SEED=$SEED)"

# A click without lib.sh's pause: the soak wants many operations.
tap() {
    move_to "$@"
    xdotool click 1
    sleep 0.1
}

# Sets PICKED to one of its arguments. Never called in $(...): a subshell
# draws from a generator of its own, and the run could not be replayed.
pick() {
    local choices=("$@")
    PICKED=${choices[RANDOM % ${#choices[@]}]}
}

window_listed() {
    all_window_ids | grep -qx "$1"
}

# The windows besides the main and the options window: message boxes and
# the About window.
other_windows() {
    local id
    for id in $(all_window_ids); do
        [ "$((id))" -eq "$((MAIN))" ] && continue
        [ -n "$OPTIONS" ] && [ "$((id))" -eq "$((OPTIONS))" ] && continue
        echo "$id"
    done
}

wait_other_window() {
    local timeout_tenths=$1 id
    for _ in $(seq "$timeout_tenths"); do
        id=$(other_windows | head -n 1)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    return 1
}

alive() {
    kill -0 "$APP_PID" 2>/dev/null || fail "operation $OP ($LAST_OP): the program died"
    window_listed "$MAIN" || fail "operation $OP ($LAST_OP): the main window is gone"
}

# Sends key $2 to window $1 and waits up to $3 tenths of a second for it to
# close.
key_closes() {
    local id=$1 key=$2 tenths=$3
    wmctrl -i -a "$id" 2>/dev/null || true
    sleep 0.1
    xdotool key "$key"
    for _ in $(seq "$tenths"); do
        window_listed "$id" || return 0
        sleep 0.1
    done
    return 1
}

# Answers a modal window with a random key. A Tab or an arrow only moves the
# focus, and a box of Yes/No or Abort/Retry/Ignore ignores Escape as VB's
# does, so Escape follows and then Return, which presses the focused button.
answer() {
    local id=$1
    pick Return Escape space Tab Right Left
    key_closes "$id" "$PICKED" 20 && return 0
    key_closes "$id" Escape 20 && return 0
    key_closes "$id" Return 100 && return 0
    fail "operation $OP ($LAST_OP): window $id does not close"
}

dismiss_others() {
    local id
    for id in $(other_windows); do
        answer "$id"
    done
}

activate_main() {
    wmctrl -i -a "$MAIN"
    sleep 0.1
}

random_ascii() {
    pick 'Hallo' 'Welt ' ' ' 'ein "Zitat" ' ' & ' ' _' 'vbNewline' '        ' \
        'x' 'Titelleiste' '###DiesIstDasTrennzeichen###' 'Lorem ipsum dolor sit amet, ' \
        'AbcdefghijklmnopqrstuvwxyzAbcdefghijklmnopqrstuvwxyz'
}

# Pasted text carries what typing cannot: line breaks in a row, characters
# beyond Latin-1, now and then a long run.
write_paste() {
    local file=$PROGRAM_DIR/paste.txt
    case $((RANDOM % 6)) in
    0) printf 'Zeile\n\nnoch eine\n' >"$file" ;;
    1) printf 'Grüße ° € "x" \xd7\xa9\xd7\x9c\xd7\x95\xd7\x9d \xf0\x9f\x98\x80' >"$file" ;;
    2) printf '\n\n\n' >"$file" ;;
    3) printf 'Tab\tund\x01Steuer\x1b' >"$file" ;;
    4) head -c $((2000 + RANDOM % 30000)) /dev/zero | tr '\0' 'w' | fold -w 37 >"$file" ;;
    5) printf '%s ' $(seq $((RANDOM % 400))) >"$file" ;;
    esac
    xclip -selection clipboard -i "$file"
}

op_type_message() {
    activate_main
    [ $((RANDOM % 3)) -eq 0 ] && tap "$MAIN" 186 144
    random_ascii
    xdotool type --delay 5 "$PICKED"
    [ $((RANDOM % 3)) -eq 0 ] && xdotool key Return
    true
}

op_type_title() {
    activate_main
    tap "$MAIN" 186 48
    [ $((RANDOM % 2)) -eq 0 ] && xdotool key ctrl+a
    random_ascii
    xdotool type --delay 5 "$PICKED"
}

op_paste() {
    write_paste
    activate_main
    pick 144 144 48
    tap "$MAIN" 186 "$PICKED"
    [ $((RANDOM % 2)) -eq 0 ] && xdotool key ctrl+a
    xdotool key ctrl+v
    sleep 0.2
}

op_delete() {
    activate_main
    pick 144 144 48
    tap "$MAIN" 186 "$PICKED"
    case $((RANDOM % 3)) in
    0) xdotool key ctrl+a Delete ;;
    1) xdotool key --repeat $((1 + RANDOM % 30)) --delay 5 BackSpace ;;
    2) xdotool key ctrl+Home shift+Down shift+Down Delete ;;
    esac
}

# The arrows and the trough of HScroll1.
op_scroll() {
    activate_main
    pick 311 552 $((320 + RANDOM % 220))
    tap "$MAIN" "$PICKED" 453
}

op_format() {
    activate_main
    tap "$MAIN" 468 144
    local box
    box=$(wait_other_window 3) && answer "$box"
    true
}

op_test() {
    activate_main
    tap "$MAIN" 468 184
    local box
    box=$(wait_other_window 100) || fail "operation $OP: the test showed no box"
    answer "$box"
}

op_help() {
    activate_main
    tap "$MAIN" 441 49
    local box
    box=$(wait_other_window 100) || fail "operation $OP: help showed nothing"
    answer "$box"
}

op_options() {
    activate_main
    pick 497 540
    tap "$MAIN" "$PICKED" 49
    OPTIONS=$(wait_window "$OPTIONS_TITLE" 10)
    wmctrl -i -a "$OPTIONS"
    sleep 0.1
    local k
    for k in $(seq $((1 + RANDOM % 6))); do
        pick Tab Tab Up Down Left Right space
        xdotool key "$PICKED"
    done
    # The return-value hint may have come up from a focused help symbol.
    dismiss_others
    close_window "$OPTIONS"
    wait_no_window "$OPTIONS_TITLE" 10
}

op_about() {
    activate_main
    tap "$MAIN" 548 16
    local about
    about=$(wait_other_window 100) || fail "operation $OP: no About window"
    wmctrl -i -a "$about"
    sleep 0.1
    case $((RANDOM % 3)) in
    0) xdotool key Escape ;;
    1) tap "$about" 208 192 ;;
    2) close_window "$about" ;;
    esac
    for _ in $(seq 100); do
        window_listed "$about" || return 0
        sleep 0.1
    done
    fail "operation $OP: the About window does not close"
}

op_reset() {
    activate_main
    tap "$MAIN" 468 100
}

# The program takes keys and serves the clipboard: type a marker into the
# title, copy it, and read it back. A box that came up late from the
# operation before takes the keys, so a miss is tried again once it is gone.
op_probe() {
    local marker copied attempt
    for attempt in 1 2 3; do
        dismiss_others
        marker="probe${OP}x${attempt}"
        activate_main
        tap "$MAIN" 186 48
        xdotool key ctrl+a
        xdotool type --delay 5 "$marker"
        xdotool key ctrl+a ctrl+c
        sleep 0.2
        copied=$(timeout 10 xclip -o -selection clipboard 2>/dev/null) || copied=""
        [ "$copied" = "$marker" ] && return 0
        sleep 1
    done
    fail "operation $OP: the window does not answer (copied '$copied')"
}

readonly OPERATIONS_TABLE=(
    op_type_message op_type_message op_type_message op_type_title op_paste op_paste
    op_delete op_delete op_scroll op_scroll op_format op_format op_test op_test
    op_options op_about op_help op_reset
)

make_program_dir
start_program
MAIN=$(wait_window "$MAIN_TITLE" 10)
OPTIONS=""
OP=0
DONE=0
declare -A COUNTS
LAST_OP=start

for OP in $(seq "$OPERATIONS"); do
    if [ "$SECONDS" -ge "$SECONDS_FOR_OPERATIONS" ]; then
        echo "soak: time is up after $DONE operations"
        break
    fi
    dismiss_others
    if [ $((OP % 25)) -eq 0 ]; then
        LAST_OP=op_probe
    else
        pick "${OPERATIONS_TABLE[@]}"
        LAST_OP=$PICKED
    fi
    "$LAST_OP"
    alive
    DONE=$OP
    COUNTS[$LAST_OP]=$((${COUNTS[$LAST_OP]:-0} + 1))
done
screenshot soak-end
dismiss_others
op_probe

# The last title and message, set whole so the store's content is known.
activate_main
tap "$MAIN" 186 48
xdotool key ctrl+a
xdotool type --delay 5 "Soak $SEED"
printf 'Ende des Laufs\nGrüße, "zitiert" & _\n\n°' >"$PROGRAM_DIR/final.txt"
xclip -selection clipboard -i "$PROGRAM_DIR/final.txt"
tap "$MAIN" 186 144
xdotool key ctrl+a ctrl+v
sleep 0.3
alive

close_window "$MAIN"
wait_exit "$APP_PID" 30 >"$PROGRAM_DIR/status"
[ "$(<"$PROGRAM_DIR/status")" -eq 0 ] || fail "exit status $(<"$PROGRAM_DIR/status")"
{
    printf 'Soak %s%s' "$SEED" "$SEPARATOR"
    sed 's/$/\r/' "$PROGRAM_DIR/final.txt" | head -c -1 | iconv -f UTF-8 -t WINDOWS-1252
} >"$PROGRAM_DIR/expected"
cmp -s "$PROGRAM_DIR/expected" "$PROGRAM_DIR/LastMsgText.txt" \
    || fail "the store does not hold the last title and message"
rm -rf "$PROGRAM_DIR"
for name in "${!COUNTS[@]}"; do
    echo "  ${name#op_}: ${COUNTS[$name]}"
done | sort
echo "soak: ok, $DONE operations, seed $SEED"
