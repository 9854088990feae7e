# Helpers for the end-to-end scripts. Sourced; expects QUILLON_BIN_DIR.
set -euo pipefail

readonly MAIN_TITLE='MsgBox - Quillon  (Lumo)'
E2E_SHOTS=${E2E_SHOTS:-${QUILLON_BIN_DIR}/../e2e-shots}
mkdir -p "$E2E_SHOTS"

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Copies the program into a fresh folder of its own, since it keeps its
# store beside itself. Its data folder, where it would read a store while
# none lies beside it, and its settings (the code form) are fresh ones too.
# Sets PROGRAM_DIR and PROGRAM.
make_program_dir() {
    PROGRAM_DIR=$(mktemp -d)
    cp "$QUILLON_BIN_DIR/msgbox-quillon" "$PROGRAM_DIR/"
    PROGRAM="$PROGRAM_DIR/msgbox-quillon"
    export XDG_DATA_HOME="$PROGRAM_DIR/data"
    export XDG_CONFIG_HOME="$PROGRAM_DIR/config"
}

# Starts the program in the background. Sets APP_PID.
start_program() {
    "$PROGRAM" >"$PROGRAM_DIR/stdout.log" 2>"$PROGRAM_DIR/stderr.log" &
    APP_PID=$!
}

# Prints wmctrl's list of windows. wmctrl fails when a window goes away
# while it reads the list, so a failed read is asked again rather than taken
# for "no window".
window_list() {
    local list
    for _ in 1 2 3 4 5; do
        list=$(wmctrl -l 2>/dev/null) && break
        sleep 0.1
    done
    printf '%s\n' "$list"
}

# Only lines that start with an id: a title with a line break in it goes on
# over the next line of wmctrl's list.
all_window_ids() {
    window_list | awk '$1 ~ /^0x[0-9a-f]+$/ { print $1 }'
}

# Prints the ids of the visible windows whose title is exactly $1.
windows_titled() {
    local list
    list=$(window_list)
    while read -r id _desktop _host title; do
        [ "$title" = "$1" ] && echo "$id"
    done <<<"$list"
    return 0
}

# Waits up to $2 seconds (default 10) for a window titled exactly $1 and
# prints its id.
wait_window() {
    local title=$1 timeout=${2:-10} id
    for _ in $(seq $((timeout * 10))); do
        id=$(windows_titled "$title" | head -n 1)
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.1
    done
    fail "no window titled '$title' within ${timeout}s"
}

# Waits up to $2 seconds for no window titled $1 to remain.
wait_no_window() {
    local title=$1 timeout=${2:-10}
    for _ in $(seq $((timeout * 10))); do
        [ -z "$(windows_titled "$title")" ] && return 0
        sleep 0.1
    done
    fail "window '$title' still open after ${timeout}s"
}

activate() {
    wmctrl -i -a "$1"
    sleep 0.3
}

# Closes a window the normal way, as its close button does.
close_window() {
    wmctrl -i -c "$1"
}

# Waits up to $2 seconds for process $1 to end; prints its exit status.
# Call it without $( ): wait only reaches children of this very shell, so
# redirect its output to a file instead.
wait_exit() {
    local pid=$1 timeout=${2:-10}
    for _ in $(seq $((timeout * 10))); do
        if ! kill -0 "$pid" 2>/dev/null; then
            local status=0
            wait "$pid" || status=$?
            echo "$status"
            return 0
        fi
        sleep 0.1
    done
    kill -9 "$pid" 2>/dev/null || true
    fail "process $pid still running after ${timeout}s"
}

screenshot() {
    import -window root "$E2E_SHOTS/$1.png"
}

# Sets CLIENT_X and CLIENT_Y to the screen position of window $1's client
# area. xwininfo, not xdotool: under openbox the latter reports it shifted
# by the window manager's frame.
client_origin() {
    local info
    info=$(xwininfo -id "$1")
    CLIENT_X=$(sed -n 's/.*Absolute upper-left X: *//p' <<<"$info")
    CLIENT_Y=$(sed -n 's/.*Absolute upper-left Y: *//p' <<<"$info")
}

# Moves the pointer to a point of window $1's client area.
move_to() {
    client_origin "$1"
    xdotool mousemove $((CLIENT_X + $2)) $((CLIENT_Y + $3))
}

click_in() {
    move_to "$@"
    xdotool click 1
    sleep 0.3
}

# How many windows of the program are mapped; an open menu is one of them.
mapped_windows() {
    { xdotool search --onlyvisible --pid "$APP_PID" 2>/dev/null || true; } | wc -l
}

# Waits up to 5 seconds until the program has mapped $1 windows.
wait_mapped_windows() {
    for _ in $(seq 50); do
        [ "$(mapped_windows)" -eq "$1" ] && return 0
        sleep 0.1
    done
    fail "the program has $(mapped_windows) windows mapped, not $1"
}

# Right-clicks the point $2 $3 of window $1's client area and waits for the
# context menu. Sets MAPPED_BEFORE to the count of windows without it.
open_context_menu() {
    MAPPED_BEFORE=$(mapped_windows)
    move_to "$@"
    xdotool click 3
    wait_mapped_windows $((MAPPED_BEFORE + 1))
}

# Saves the rectangle x y width height of window $1's client area as $6.
crop_client() {
    client_origin "$1"
    import -window root -crop "${4}x${5}+$((CLIENT_X + $2))+$((CLIENT_Y + $3))" +repage "$6"
}

# Counts the clearly red pixels of a rectangle of window $1's client area,
# as crop_client takes it: the return value shows in red.
red_pixels_in() {
    crop_client "$@" "$PROGRAM_DIR/crop.png"
    convert "$PROGRAM_DIR/crop.png" -fx '(r > 0.6 && g < 0.35 && b < 0.35) ? 1 : 0' \
        -format '%[fx:round(mean * w * h)]' info:
}

# Waits up to 5 seconds for main window $1 to show the test's return value,
# which shows for ten; prints how many red pixels the number has, 0 if none.
return_value_pixels() {
    local pixels=0
    for _ in $(seq 50); do
        pixels=$(red_pixels_in "$1" 504 216 17 17)
        [ "$pixels" -gt 0 ] && break
        sleep 0.1
    done
    echo "$pixels"
}

# Colours in the main window's character-count label: 1 while it is empty.
count_label_colours() {
    crop_client "$1" 248 16 97 17 "$PROGRAM_DIR/count.png"
    convert "$PROGRAM_DIR/count.png" -format '%k' info:
}

# Presses Ctrl+C and prints the clipboard as soon as the program holds it.
# A marker goes on the clipboard first, so that an old text is never taken
# for the copied one.
copy_and_print() {
    local marker='(noch nicht kopiert)'
    printf '%s' "$marker" | xclip -selection clipboard -i
    for _ in $(seq 50); do
        [ "$(xclip -o -selection clipboard 2>/dev/null || true)" = "$marker" ] && break
        sleep 0.1
    done
    xdotool key ctrl+c
    for _ in $(seq 50); do
        if [ "$(xclip -o -selection clipboard 2>/dev/null || true)" != "$marker" ]; then
            xclip -o -selection clipboard
            return 0
        fi
        sleep 0.1
    done
    fail "Ctrl+C put nothing on the clipboard"
}

# Selects the whole code box of main window $1 by a double-click, copies it
# and prints it, its line breaks as LF.
copied_code() {
    move_to "$1" 283 352
    xdotool click --repeat 2 --delay 80 1
    sleep 0.3
    copy_and_print
}

# Fails, showing both, unless the copied text $1 is the expected $2; $3 names
# what wrote the expected one.
same_as() {
    if [ "$1" != "$2" ]; then
        printf 'copied:\n%s\nexpected:\n%s\n' "$1" "$2" >&2
        fail "the copied code differs from $3"
    fi
}

# Closes main window $1 and checks that the program ends with status 0.
close_and_expect_clean_exit() {
    close_window "$1"
    wait_exit "$APP_PID" 10 >"$PROGRAM_DIR/status"
    [ "$(<"$PROGRAM_DIR/status")" -eq 0 ] || fail "the program ended with status $(<"$PROGRAM_DIR/status")"
}
