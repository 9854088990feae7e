#!/bin/bash
# Neovim's built-in LSP client against msgbox-lsp: a VB6 module, a VBScript
# file and a VB.NET file, each opened, its diagnostics counted, a code action
# applied, the buffer formatted and written; the files written must be what
# msgbox-format --reformat writes, and the diagnostics what --check names.
# Usage: neovim.sh MSGBOX_LSP MSGBOX_FORMAT
set -u
lsp=$1 format=$2
here=$(cd "$(dirname "$0")" && pwd)
if ! command -v nvim >/dev/null; then
    echo "neovim is not installed (apt-get install neovim): skipped"
    exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
files=()
for sample in Modul.bas skript.vbs Programm.vb; do
    cp "$here/samples/$sample" "$work/$sample"
    "$format" --reformat "$here/samples/$sample" >"$work/$sample.expected"
    "$format" --check "$here/samples/$sample" | wc -l | sed "s/^/$sample /" >>"$work/expected-report"
    files+=("$work/$sample")
done
LSP_FILES="${files[*]}" LSP_REPORT="$work/report" MSGBOX_LSP="$lsp" HOME="$work" \
    timeout 120 nvim --headless --clean -n -u NONE -c "luafile $here/neovim_client.lua" </dev/null
status=$?
cat "$work/report" 2>/dev/null
[ $status -eq 0 ] || { echo "neovim ended with status $status"; exit 1; }
diff -u "$work/expected-report" "$work/report" || exit 1
for sample in Modul.bas skript.vbs Programm.vb; do
    cmp "$work/$sample.expected" "$work/$sample" || {
        diff -u "$work/$sample.expected" "$work/$sample" | cat -A | head -40
        exit 1
    }
done
echo "neovim: diagnostics, code action and formatting as msgbox-format writes them"
