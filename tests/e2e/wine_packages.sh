#!/usr/bin/env bash
# The two Windows packages under Wine, in a prefix of their own: the silent
# install puts the program under Program Files with a Start-menu entry and an
# uninstall entry; the installed program, in a folder that refuses writes as
# Program Files does on Windows, keeps its store in %APPDATA%; the silent
# uninstall removes what the install put there and leaves the store. Then the
# portable zip, unpacked into a folder of its own, starts and keeps its store
# beside the exe.
source "$QUILLON_SOURCE_DIR/tests/e2e/wine-lib.sh"

packages=$QUILLON_BIN_DIR/..
setup=$(ls "$packages"/MsgBox-Quillon-*-win64-setup.exe 2>/dev/null | head -n 1)
zip=$(ls "$packages"/MsgBox-Quillon-*-win64.zip 2>/dev/null | head -n 1)
[ -n "$setup" ] && [ -n "$zip" ] || fail "no packages in $packages: make windows-package first"

drive_c=$WINEPREFIX/drive_c
installed="$drive_c/Program Files/MsgBox - Quillon"
shortcut="$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/MsgBox - Quillon.lnk"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\MsgBox - Quillon'
appdata_store="$drive_c/users/$(id -un)/AppData/Roaming/Quillon/MsgBox - Quillon/LastMsgText.txt"
PROGRAM_DIR=$(mktemp -d)
trap 'chattr -i "$installed" 2>/dev/null || true; end_wine' EXIT

# Waits up to $2 seconds until path $1 is gone.
wait_gone() {
    for _ in $(seq $(($2 * 10))); do
        [ -e "$1" ] || return 0
        sleep 0.1
    done
    fail "$1 is still there after $2 s"
}

# Starts $PROGRAM, types title $1 and closes it.
type_title_and_close() {
    start_program
    main=$(wait_window "$MAIN_TITLE" 60)
    activate "$main"
    click_in "$main" 186 48
    xdotool key ctrl+a
    xdotool type "$1"
    screenshot "$2"
    close_and_expect_clean_exit "$main"
}

wine "$setup" /S
wineserver -w
[ -f "$installed/MsgBox - Quillon.exe" ] || fail "the silent install wrote no program"
[ -f "$installed/msgbox-format.exe" ] || fail "the silent install wrote no msgbox-format"
[ -f "$shortcut" ] || fail "no Start-menu entry"
wine reg query "$uninstall_key" /v UninstallString >/dev/null || fail "no uninstall entry"
find "$installed" -type f | sed "s|^$installed/||" | sort >"$PROGRAM_DIR/installed-files"

# Root writes anywhere; an immutable folder refuses even root.
chattr +i "$installed" || fail "cannot make the program's folder refuse writes"
PROGRAM="$installed/MsgBox - Quillon.exe"
type_title_and_close 'Installiert' wine-installed
chattr -i "$installed"
[ ! -e "$installed/LastMsgText.txt" ] || fail "the store went into the program's folder"
grep -q '^Installiert###' "$appdata_store" || fail "the store is not in %APPDATA%"

# The uninstaller copies itself away and returns at once; the folder's end
# says it is done.
wine "$installed/Deinstallieren.exe" /S
wait_gone "$installed" 60
wineserver -w
[ ! -e "$shortcut" ] || fail "the Start-menu entry stayed"
! wine reg query "$uninstall_key" >/dev/null 2>&1 || fail "the uninstall entry stayed"
[ -f "$appdata_store" ] || fail "the uninstall removed the user's store"

# The zip holds what the installer installs, and nothing of the tests.
unzip -q "$zip" -d "$PROGRAM_DIR/zip"
portable=$(ls -d "$PROGRAM_DIR"/zip/MsgBox-Quillon-*-win64)
(cd "$portable" && find . -type f | sed 's|^\./||' | sort) >"$PROGRAM_DIR/zipped-files"
diff <(grep -v '^Deinstallieren.exe$' "$PROGRAM_DIR/installed-files") "$PROGRAM_DIR/zipped-files" \
    || fail "the zip and the installer hold different files"
PROGRAM="$portable/MsgBox - Quillon.exe"
type_title_and_close 'Portabel' wine-portable
grep -q '^Portabel###' "$portable/LastMsgText.txt" || fail "the portable copy did not keep its store beside itself"

rm -rf "$PROGRAM_DIR"
echo "wine packages: ok"
