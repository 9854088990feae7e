# The helpers of lib.sh for the Windows program under Wine. Sourced; expects
# QUILLON_BIN_DIR (the Windows build's bin folder) and WINEPREFIX.
source "$QUILLON_SOURCE_DIR/tests/e2e/lib.sh"

export WINEDEBUG=-all

# Wine reads the keyboard layout once, so where xdotool remaps a spare key
# for a moment to type an umlaut, Wine types whatever the key meant first.
# The German layout has each umlaut on a key of its own, as the users have.
setxkbmap de

bash "$QUILLON_SOURCE_DIR/tests/e2e/wine-prefix.sh"

# Ends the prefix's server and every program still running in it, so that
# none outlives the test and its prefix folder. A script with a cleanup of its
# own calls this from its EXIT trap.
end_wine() {
    wineserver -k 2>/dev/null || true
}
trap end_wine EXIT

# Copies the program with what it needs to start (Qt's DLLs, plugins and
# texts, the MinGW runtime) into a fresh folder of its own, as a user unzips
# it, without the tests. Sets PROGRAM_DIR and PROGRAM.
make_program_dir() {
    PROGRAM_DIR=$(mktemp -d)
    cp "$QUILLON_BIN_DIR/MsgBox - Quillon.exe" "$PROGRAM_DIR/"
    find "$QUILLON_BIN_DIR" -maxdepth 1 -name '*.dll' ! -name 'Qt6Test.dll' \
        -exec cp {} "$PROGRAM_DIR/" \;
    cp -r "$QUILLON_BIN_DIR/platforms" "$QUILLON_BIN_DIR/styles" \
        "$QUILLON_BIN_DIR/translations" "$PROGRAM_DIR/"
    PROGRAM="$PROGRAM_DIR/MsgBox - Quillon.exe"
}

# wine becomes the program's process, so APP_PID is the program's and its
# exit status the program's.
start_program() {
    wine "$PROGRAM" >"$PROGRAM_DIR/stdout.log" 2>"$PROGRAM_DIR/stderr.log" &
    APP_PID=$!
}
