#!/bin/bash
# Emacs's eglot against msgbox-lsp in batch mode on a VB6 module: its
# diagnostics what --check names, and after a code action and formatting
# the file what msgbox-format --reformat writes.
# Usage: emacs.sh MSGBOX_LSP MSGBOX_FORMAT
set -u
lsp=$1 format=$2
here=$(cd "$(dirname "$0")" && pwd)
if ! command -v emacs >/dev/null || ! emacs --batch --eval "(require 'eglot)" 2>/dev/null; then
    echo "emacs or eglot is not installed (apt-get install emacs-nox elpa-eglot): skipped"
    exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
sample=Modul.bas
cp "$here/samples/$sample" "$work/$sample"
"$format" --reformat "$here/samples/$sample" >"$work/expected"
"$format" --check "$here/samples/$sample" | wc -l | sed "s/^/$sample /" >"$work/expected-report"
LSP_FILE="$work/$sample" LSP_REPORT="$work/report" MSGBOX_LSP="$lsp" HOME="$work" \
    timeout 120 emacs --batch -l "$here/emacs_client.el" </dev/null
status=$?
[ $status -eq 0 ] || { echo "emacs ended with status $status"; exit 1; }
diff -u "$work/expected-report" "$work/report" || exit 1
cmp "$work/expected" "$work/$sample" || { diff -u "$work/expected" "$work/$sample" | cat -A | head -40; exit 1; }
echo "eglot: diagnostics, code action and formatting as msgbox-format writes them"
