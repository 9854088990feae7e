#!/usr/bin/env bash
# msgbox-format.exe on a small VB6 project under Wine: a form in
# Windows-1252 with CR LF and umlauts in its name and its calls, checked,
# laid out anew in place, checked again; the module with nothing to change
# is not written.
source "$QUILLON_SOURCE_DIR/tests/e2e/wine-lib.sh"

PROJECT=$(mktemp -d)
cleanup() {
    end_wine
    rm -rf "$PROJECT"
}
trap cleanup EXIT
msgbox_format() {
    (cd "$PROJECT" && wine "$QUILLON_BIN_DIR/msgbox-format.exe" "$@")
}

header='VERSION 5.00\r\nBegin VB.Form frmPr\xfcfen\r\n   Caption = "MsgBox"\r\nEnd\r\nAttribute VB_Name = "frmPr\xfcfen"\r\n'
printf "${header}"'Private Sub cmdOK_Click()\r\n    If MsgBox("Datei \xfcberschreiben?", vbYesNo) = vbYes Then Kill sDatei\r\nEnd Sub\r\n' \
    >"$PROJECT/frmPrüfen.frm"
printf "${header}"'Private Sub cmdOK_Click()\r\n    If MsgBox( _\r\n        "Datei \xfcberschreiben?" _\r\n        , vbYesNo) = vbYes Then Kill sDatei\r\nEnd Sub\r\n' \
    >"$PROJECT/expected.frm"
printf 'Sub Fertig()\r\n    MsgBox _\r\n        "Gr\xfc\xdfe" _\r\n        , vbInformation\r\nEnd Sub\r\n' >"$PROJECT/modFertig.bas"
touch -d '2001-09-09 01:46' "$PROJECT/modFertig.bas"

status=0
found=$(msgbox_format --check frmPrüfen.frm modFertig.bas) || status=$?
[ "$status" = 1 ] || fail "--check exited with $status, not 1"
case "$found" in
    "frmPrüfen.frm:7:8: "*) ;;
    *) fail "--check did not name the call's place: $found" ;;
esac

msgbox_format --reformat --in-place frmPrüfen.frm modFertig.bas || fail "--reformat --in-place failed"
cmp "$PROJECT/frmPrüfen.frm" "$PROJECT/expected.frm" || fail "the form was not laid out as expected"
[ "$(stat -c %Y "$PROJECT/modFertig.bas")" = "$(date -d '2001-09-09 01:46' +%s)" ] ||
    fail "the module with nothing to change was written"
[ -z "$(msgbox_format --check frmPrüfen.frm modFertig.bas)" ] || fail "--check still finds something"
echo "wine source files: ok"
