#!/usr/bin/env bash
# The dialect in the real program: "VB.NET", then "VBScript", from the code
# box's "Dialekt" submenu, "Text formatieren", copy: the copied code is the
# one msgbox-format --dialect writes. The choice is kept for the next start.
source "$QUILLON_SOURCE_DIR/tests/e2e/lib.sh"

readonly MESSAGE='Wollen Sie die "Datei" wirklich speichern, auch wenn es sie schon gibt?'

# The last entry of the menu is the "Dialekt" submenu; it opens with its
# first entry chosen, "VB6 / VBA", and $2 Downs lead to the dialect.
choose_dialect() {
    open_context_menu "$1" 283 352
    xdotool key Up Right
    wait_mapped_windows $((MAPPED_BEFORE + 2))
    [ -z "${3:-}" ] || screenshot "$3"
    for _ in $(seq "$2"); do xdotool key Down; done
    xdotool key Return
    wait_mapped_windows "$MAPPED_BEFORE"
}

# Formats with the dialect $2 and compares the copy with msgbox-format's.
format_and_compare() {
    click_in "$1" 468 144
    screenshot "dialect-$2"
    same_as "$(copied_code "$1")" \
        "$(printf '%s' "$MESSAGE" | "$QUILLON_BIN_DIR/msgbox-format" --title Frage --dialect "$2" | tr -d '\r')" "msgbox-format --dialect $2's"
}

make_program_dir
start_program
main=$(wait_window "$MAIN_TITLE" 10)
activate "$main"

click_in "$main" 186 48
xdotool key ctrl+a
xdotool type --delay 20 'Frage'
click_in "$main" 149 130
xdotool key ctrl+a
xdotool type --delay 20 "$MESSAGE"

choose_dialect "$main" 2 dialect-submenu
format_and_compare "$main" vbnet
choose_dialect "$main" 1
format_and_compare "$main" vbscript

close_and_expect_clean_exit "$main"
start_program
main=$(wait_window "$MAIN_TITLE" 10)
activate "$main"
format_and_compare "$main" vbscript
close_and_expect_clean_exit "$main"
echo "dialects: ok"
