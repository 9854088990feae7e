#!/usr/bin/env python3
"""Lays out whole generated source files with `msgbox-format --reformat FILE`
and proves each result in its dialect's own engine.

    file_check.py vb6|vbscript|vbnet WORKDIR [--seed N] [--vb6check DIR] -- FORMATTER...

Each file, at each width, is reformatted by its name alone (its kind tells
the dialect), and then
  * a second --reformat changes nothing, and --check reports nothing;
  * no line outside the calls differs, the line breaks stay the file's;
  * each call is laid out as --reformat lays out its statement alone;
  * VB.NET: input and output compile (Option Strict On, warnings as errors)
    and hand a stand-in MsgBox the calls the generator wrote;
  * VBScript: Wine's cscript runs input and output to those calls;
  * VB6/VBA: VB6's grammar (vb6check) takes the output, VB6's arithmetic on
    each call gives those calls, and msgbox-format --read reads each call of
    the output as the same call of the input.
The files stay in WORKDIR/files-DIALECT for a look at a failing case. Where an
engine is missing, its part says it is skipped; the other checks still run.
"""
import difflib
import json
import os
import shutil
import subprocess
import sys
from pathlib import Path

import vb6_values
from engine_support import (FIELD, RECORD_END, build_vbnet, new_vbnet_project,
                            prepare_wine, run_cscript, run_vbnet, stop_wine)
from vb_files import VARIABLES, generate

WIDTHS = (50, 75)
NO_TITLE = "<kein Titel>"


class Run:
    """One dialect's files, their outputs, and what failed."""

    def __init__(self, dialect, workdir, formatter, seed):
        self.dialect, self.formatter, self.seed = dialect, formatter, seed
        self.folder = workdir / f"files-{dialect}"
        self.failures = []
        self.files = generate(seed, dialect)
        self.outputs = {}  # (file name, width) -> bytes written by --reformat

    def fail(self, file, width, message):
        where = f"{file.name}" + (f" at width {width}" if width else "")
        self.failures.append(f"{where}: " + " / ".join(message.splitlines()))

    def report(self):
        """Every failure into a file; the first few of each file and width
        shown, each kind of them once at least."""
        (self.folder / "failures.txt").write_text("\n".join(self.failures) + "\n", encoding="utf-8")
        shown, left = {}, 0
        for failure in self.failures:
            where, message = failure.split(": ", 1)
            kind = message.split(" ", 3)[:3].__str__()
            seen = shown.setdefault(where, set())
            if len(seen) < 12 or kind not in seen:
                seen.add(kind)
                print("FAIL", failure)
            else:
                left += 1
        if left:
            print(f"... and {left} more like them, all in {self.folder / 'failures.txt'}")

    def formatter_run(self, arguments, cwd, data=None):
        return subprocess.run(self.formatter + arguments, cwd=cwd, input=data, capture_output=True,
                              timeout=120)

    def folder_of(self, label):
        return self.folder / label

    def write_inputs(self):
        shutil.rmtree(self.folder, ignore_errors=True)
        for label in ["input"] + [f"w{w}" for w in WIDTHS] + [f"w{w}-anew" for w in WIDTHS]:
            self.folder_of(label).mkdir(parents=True)
        for file in self.files:
            (self.folder_of("input") / file.name).write_bytes(file.data())


def lines_of(data, encoding):
    return data.decode(encoding, errors="replace").splitlines(keepends=True)


def shown(lines, limit=3):
    text = " | ".join(line.rstrip("\r\n") for line in lines[:limit])
    return repr(text[:300]) + (" ..." if len(lines) > limit else "")


# ---------------------------------------------------------------- every dialect

def reformat_all(run):
    for file in run.files:
        for width in WIDTHS:
            done = run.formatter_run(["--reformat", "--width", str(width), file.name],
                                     run.folder_of("input"))
            if done.returncode != 0:
                run.fail(file, width, f"--reformat exits {done.returncode}: "
                         f"{done.stderr.decode(errors='replace').strip()[:600]}")
            output = done.stdout if done.stdout else file.data()
            (run.folder_of(f"w{width}") / file.name).write_bytes(output)
            run.outputs[file.name, width] = output


def check_stable(run, file, width):
    """A second --reformat changes nothing; --check finds nothing."""
    folder = run.folder_of(f"w{width}")
    output = run.outputs[file.name, width]
    again = run.formatter_run(["--reformat", "--width", str(width), file.name], folder)
    (run.folder_of(f"w{width}-anew") / file.name).write_bytes(again.stdout)
    if again.stdout != output:
        changed = [op for op in difflib.SequenceMatcher(
            None, lines_of(output, file.encoding), lines_of(again.stdout, file.encoding),
            autojunk=False).get_opcodes() if op[0] != "equal"]
        first = lines_of(output, file.encoding)
        anew = lines_of(again.stdout, file.encoding)
        for tag, i1, i2, j1, j2 in changed[:4]:
            run.fail(file, width, f"a second --reformat changes output line {i1 + 1} ({tag}): "
                     f"{shown(first[i1:i2])} -> {shown(anew[j1:j2])}")
    checked = run.formatter_run(["--check", "--width", str(width), file.name], folder)
    if checked.returncode != 0 or checked.stdout.strip():
        report = checked.stdout.decode(errors="replace").strip().splitlines()
        run.fail(file, width, f"--check of the output exits {checked.returncode}: "
                 + "; ".join(report[:6]) + (" ..." if len(report) > 6 else "")
                 + checked.stderr.decode(errors="replace").strip()[:300])


def check_line_breaks(run, file, width):
    output = run.outputs[file.name, width]
    newline = file.newline.encode()
    if file.newline == "\n" and b"\r\n" in output:
        line = output[:output.index(b"\r\n")].count(b"\n") + 1
        run.fail(file, width, f"output line {line} ends in CR LF in a file of LF lines")
    if output.endswith(newline) != file.final_break:
        run.fail(file, width, "the output " + ("lacks" if file.final_break else "gains")
                 + " the final line break")


def within_calls(file, i1, i2):
    """Whether input lines i1..i2 all belong to calls; an insertion (i1 ==
    i2) where a call begins, goes on or ends."""
    inside = set()
    for call in file.calls:
        inside.update(range(*call.lines))
    if i1 == i2:
        return i1 in inside or i1 - 1 in inside
    return all(line in inside for line in range(i1, i2))


def check_outside_calls(run, file, width):
    """No line outside the calls differs, none is added between them."""
    before = file.text().splitlines(keepends=True)
    after = lines_of(run.outputs[file.name, width], file.encoding)
    for tag, i1, i2, j1, j2 in difflib.SequenceMatcher(None, before, after, autojunk=False).get_opcodes():
        if tag == "equal":
            continue
        inserted_blank = any(not line.strip() for line in after[j1:j2])
        if not within_calls(file, i1, i2) or (i1 == i2 and inserted_blank):
            where = (f"lines added before input line {i1 + 1}" if tag == "insert"
                     else f"input lines {i1 + 1}-{i2} {shown(before[i1:i2])} {tag}d")
            run.fail(file, width, f"outside the calls, {where}: output lines {j1 + 1}-{j2} "
                     f"{shown(after[j1:j2])}")


def laid_out_alone(run, file, call, width):
    """The call's lines as --reformat writes its statement alone, or None."""
    first, end = call.lines
    statement = "\r\n".join(file.lines[first:end]) + "\r\n"
    alone = run.formatter_run(["--reformat", "--width", str(width), "--dialect", file.dialect],
                              run.folder, statement.encode(file.encoding))
    if alone.returncode != 0:
        run.fail(file, width, f"--reformat of input line {first + 1}'s call alone exits "
                 f"{alone.returncode}: {alone.stderr.decode(errors='replace').strip()[:200]}; "
                 f"the call: {shown(file.lines[first:end])}")
        return None
    return alone.stdout.decode(file.encoding).split("\r\n")[:-1]


def check_each_call(run, file, width):
    """The output is the input with each call laid out as it is alone."""
    want, origin = [], []  # the output expected, and the input line each of its lines stands for
    calls = {call.lines[0]: call for call in file.calls}
    number = 0
    while number < len(file.lines):
        call = calls.get(number)
        alone = [file.lines[number]] if call is None else laid_out_alone(run, file, call, width)
        if alone is None:  # said already; the call's lines as they stand
            alone = file.lines[call.lines[0]:call.lines[1]]
        want += [line + file.newline for line in alone]
        origin += [number + 1] * len(alone)
        number = number + 1 if call is None else call.lines[1]
    if not file.final_break:
        want[-1] = want[-1][:-len(file.newline)]
    got = lines_of(run.outputs[file.name, width], file.encoding)
    for tag, i1, i2, j1, j2 in difflib.SequenceMatcher(None, want, got, autojunk=False).get_opcodes():
        if tag != "equal":
            line = origin[min(i1, len(origin) - 1)]
            run.fail(file, width, f"near input line {line}, the output differs from each call laid out "
                     f"as its statement alone: expected {shown(want[i1:i2])}, output lines "
                     f"{j1 + 1}-{j2}: {shown(got[j1:j2])}")


def check_common(run):
    for file in run.files:
        for width in WIDTHS:
            check_stable(run, file, width)
            check_line_breaks(run, file, width)
            check_outside_calls(run, file, width)
            check_each_call(run, file, width)


# ---------------------------------------------------------------- records

def expected_records(file):
    return [(prompt, str(buttons), NO_TITLE if title is None else title)
            for prompt, buttons, title in (call.expected() for call in file.calls)]


def compare_records(run, file, width, got):
    """GOT, the calls an engine's MsgBox received, against the generator's."""
    label = "input" if width is None else "output"
    want = expected_records(file)
    if len(got) != len(want):
        run.fail(file, width, f"the {label} made {len(got)} MsgBox calls, the generator wrote {len(want)}")
    for call, wanted, record in zip(file.calls, want, got):
        for what, w, g in zip(("prompt", "buttons", "title"), wanted, record):
            if w != g:
                run.fail(file, width, f"{label}: the call of input line {call.lines[0] + 1} hands MsgBox "
                         f"the {what} {g[:120]!r}, the generator wrote {w[:120]!r}")


def split_records(text):
    return [tuple(record.split(FIELD)) for record in text.split(RECORD_END)[:-1]]


# ---------------------------------------------------------------- VB.NET

VBNET_STAND_IN = """Namespace {space}
    ' Comes before Microsoft.VisualBasic's Interaction: records each call.
    Public Module Interaction
        Public Function MsgBox(Prompt As Object, Optional Buttons As MsgBoxStyle = MsgBoxStyle.OkOnly,
                               Optional Title As Object = Nothing) As MsgBoxResult
            Dim shown As String = If(Title Is Nothing, "{none}", CStr(Title))
            Recorder.Calls.Append(CStr(Prompt) & "{field}" & CInt(Buttons).ToString() & "{field}" & shown & "{end}")
            Return MsgBoxResult.Ok
        End Function
    End Module
End Namespace
"""


def in_namespace(text, space):
    """The file's code in a namespace of its own, after its Imports."""
    lines = text.split("\n")
    at = next(i for i, line in enumerate(lines)
              if line.strip() and not line.startswith(("Imports", "Option", "'")))
    return "\n".join(lines[:at] + [f"Namespace {space}\r"] + lines[at:] + ["\r\nEnd Namespace\r\n"])


def vbnet_copies(run):
    """(namespace, file, width or None, code) of every input and output."""
    copies = []
    for file in run.files:
        copies.append((f"In{file.entry[1]}", file, None, file.text()))
        for width in WIDTHS:
            code = run.outputs[file.name, width].decode("utf-8", errors="replace")
            copies.append((f"W{width}{file.entry[1]}", file, width, code))
    return copies


def vbnet_main(copies):
    lines = ["Public Module Recorder", "    Public ReadOnly Calls As New System.Text.StringBuilder()",
             "    Sub Main(arguments As String())"]
    for number, (space, file, _, _) in enumerate(copies):
        kind, name = file.entry
        lines.append("        Calls.Clear()")
        if kind == "class":
            lines += [f"        Dim o{number} As New {space}.{name}()", f"        o{number}.Ausfuehren()"]
        else:
            lines.append(f"        {space}.{name}.Ausfuehren()")
        lines.append(f'        System.IO.File.WriteAllText(System.IO.Path.Combine(arguments(0), "{space}.txt"),'
                     " Calls.ToString(), New System.Text.UTF8Encoding(False))")
    return "\r\n".join(lines + ["    End Sub", "End Module", ""])


def vbnet_sources(copies):
    sources = {"Program.vb": vbnet_main(copies)}
    for space, _, _, code in copies:
        sources[f"{space}.vb"] = in_namespace(code, space)
        sources[f"{space}StandIn.vb"] = VBNET_STAND_IN.format(space=space, none=NO_TITLE, field=FIELD,
                                                             end=RECORD_END)
    return sources


def compile_errors_by_copy(errors, copies):
    failing = {}
    for space, file, width, _ in copies:
        mine = sorted({line.strip() for line in errors.splitlines() if f"{space}.vb(" in line})
        if mine:
            failing[space] = (file, width, mine)
    return failing


def check_vbnet(run):
    dotnet = shutil.which("dotnet")
    if not dotnet:
        print("SKIPPED: dotnet (the .NET SDK) is not on the PATH; the VB.NET files were not compiled.")
        return
    copies = vbnet_copies(run)
    project = run.folder / "project"
    new_vbnet_project(project, vbnet_sources(copies))
    errors = build_vbnet(dotnet, project)
    if errors is not None:
        failing = compile_errors_by_copy(errors, copies)
        for space, (file, width, mine) in failing.items():
            label = "the input" if width is None else "the output"
            run.fail(file, width, f"{label} does not compile ({project / (space + '.vb')}, "
                     f"one line more than the file): " + " || ".join(mine[:5]))
        if not failing:
            run.fail(run.files[0], None, "the VB.NET project does not compile: " + errors[-1500:])
            return
        # The others still run: once more without the copies that fail.
        copies = [c for c in copies if c[0] not in failing]
        new_vbnet_project(project, vbnet_sources(copies))
        errors = build_vbnet(dotnet, project)
        if errors is not None:
            run.fail(run.files[0], None, "the VB.NET project does not compile: " + errors[-1500:])
            return
    records = project / "records"
    records.mkdir()
    run_vbnet(dotnet, project, [str(records)])
    for space, file, width, _ in copies:
        compare_records(run, file, width, split_records((records / f"{space}.txt").read_bytes().decode("utf-8")))


# ---------------------------------------------------------------- VBScript

# Appended to each script: the script's own MsgBox replaces VBScript's.
VBSCRIPT_STAND_IN = """
Dim gCalls, gFiles, gRecord
Function MsgBox(p, b, t)
    gCalls = gCalls & p & "{field}" & b & "{field}" & t & "{end}"
    MsgBox = 1
End Function
Set gFiles = CreateObject("Scripting.FileSystemObject")
Set gRecord = gFiles.CreateTextFile("{name}.rec", True, True)
gRecord.Write gCalls
gRecord.Close
WScript.Echo "SCRIPT-RAN-TO-ITS-END"
"""


def check_vbscript(run):
    wine = shutil.which("wine")
    if not wine:
        print("SKIPPED: wine is not installed; the VBScript files were not run.")
        return
    folder = run.folder / "cscript"
    folder.mkdir()
    prepare_wine()
    try:
        for file in run.files:
            for width in (None,) + WIDTHS:
                data = file.data() if width is None else run.outputs[file.name, width]
                stem = f"{'input' if width is None else f'w{width}'}-{file.name[:-4]}"
                stand_in = VBSCRIPT_STAND_IN.format(name=stem, field=FIELD, end=RECORD_END)
                (folder / f"{stem}.vbs").write_bytes(data + stand_in.replace("\n", "\r\n").encode("cp1252"))
                if not run_cscript(wine, folder, f"{stem}.vbs"):
                    # A syntax error, or a call with too few arguments for
                    # the stand-in, ends the script without a word.
                    run.fail(file, width, f"cscript does not run {folder / stem}.vbs to its end (a syntax "
                             "error, or a call of fewer than three arguments): "
                             + (folder / f"{stem}.vbs.echo").read_bytes().decode("cp1252", "replace")[-300:])
                    continue
                record = (folder / f"{stem}.rec").read_bytes().decode("utf-16")
                compare_records(run, file, width, [tuple(r) for r in split_records(record)])
    finally:
        stop_wine()


# ---------------------------------------------------------------- VB6

def grammar_copy(lines):
    """The code with its line numbers taken off: VB6 takes them, the grammar
    does not, and they stand outside the calls."""
    result, continued = [], False
    for line in lines:
        stripped = line.lstrip()
        number = stripped.split(" ", 1)[0]
        if not continued and number.isdigit() and " " in stripped:
            line = line[:len(line) - len(stripped)] + stripped.split(" ", 1)[1]
        result.append(line)
        continued = line.rstrip("\r\n").endswith(" _")
    return "".join(result)


def vb6_texts(run):
    """(file, width or None, text) of every input and output."""
    texts = []
    for file in run.files:
        texts.append((file, None, file.text()))
        for width in WIDTHS:
            texts.append((file, width, run.outputs[file.name, width].decode("cp1252", errors="replace")))
    return texts


def check_vb6_grammar(run, check):
    folder = run.folder / "grammar"
    folder.mkdir()
    paths = {}
    for file, width, text in vb6_texts(run):
        path = folder / f"{'input' if width is None else f'w{width}'}-{file.name}"
        path.write_bytes(grammar_copy(text.splitlines(keepends=True)).encode("cp1252"))
        paths[str(path)] = (file, width)
    listing = folder / "files.txt"
    listing.write_text("\n".join(paths) + "\n")
    verdicts = subprocess.run([str(check), "-q", "--list", str(listing)], capture_output=True,
                              text=True, timeout=300)
    for line in verdicts.stdout.splitlines():
        if line.startswith("FAIL "):
            path, message = line[5:].split(": ", 1)
            file, width = paths[path]
            label = "the input" if width is None else "the output"
            run.fail(file, width, f"VB6's grammar does not take {label} ({path}): {message}")
    if verdicts.returncode not in (0, 1):
        run.fail(run.files[0], None, f"vb6check exits {verdicts.returncode}: {verdicts.stderr[-500:]}")


def vb6check_program(source, workdir):
    """The vb6check of SOURCE built once into VB6WORK; None where it cannot be."""
    if source is None or not (source / "build.sh").exists():
        print("SKIPPED: the VB6 grammar (vb6check) is not there; VB6's grammar was not asked.")
        return None
    if not (shutil.which("javac") and Path("/usr/share/java/antlr4.jar").exists()):
        print("SKIPPED: antlr4 or a JDK is missing; VB6's grammar was not asked.")
        return None
    work = Path(os.environ.get("VB6WORK", workdir / "vb6check"))
    check = work / "check"
    newest = max(p.stat().st_mtime for p in source.rglob("*") if p.is_file())
    if not check.exists() or check.stat().st_mtime < newest:
        built = subprocess.run(["bash", str(source / "build.sh")], env=dict(os.environ, VB6WORK=str(work)),
                               capture_output=True, text=True)
        if built.returncode != 0:
            print(built.stdout[-2000:], built.stderr[-2000:])
            raise SystemExit("vb6check does not build")
    return check


def read_json(run, file, lines):
    statement = "".join(lines).encode(file.encoding)
    read = run.formatter_run(["--read", "--dialect", "vb6"], run.folder, statement)
    if read.returncode != 0:
        return f"not read (exit {read.returncode}): {read.stderr.decode(errors='replace').strip()[:200]}"
    return json.loads(read.stdout)


def check_vb6_values(run):
    """VB6's arithmetic on each call of the output gives the generator's call,
    and msgbox-format --read reads it as the same call as the input's."""
    for file in run.files:
        before = file.text().splitlines(keepends=True)
        found_before = vb6_values.calls(before, VARIABLES)
        compare_values(run, file, None, found_before)
        for width in WIDTHS:
            after = lines_of(run.outputs[file.name, width], file.encoding)
            found_after = vb6_values.calls(after, VARIABLES)
            compare_values(run, file, width, found_after)
            after_starts = [first for first, _ in vb6_values.logical_lines(after)] + [len(after)]
            for call, (line, _) in zip(file.calls, found_after):
                ending = after_starts[after_starts.index(line) + 1]
                was = read_json(run, file, before[call.lines[0]:call.lines[1]])
                now = read_json(run, file, after[line:ending])
                if was != now:
                    run.fail(file, width, f"--read reads the call of input line {call.lines[0] + 1} "
                             f"as {describe(was)}, of output line {line + 1} as {describe(now)}")


def describe(read):
    if isinstance(read, str):
        return read
    keys = ("message", "buttons", "icon", "default", "title", "buttonsExpression", "trailing")
    return json.dumps({k: read.get(k) for k in keys}, ensure_ascii=False)


def compare_values(run, file, width, found):
    label = "input" if width is None else "output"
    broken = [(line, value) for line, value in found if isinstance(value, str)]
    for line, reason in broken:
        run.fail(file, width, f"{label} line {line + 1}: {reason}")
    records = [(p, str(b), NO_TITLE if t is None else t) for _, (p, b, t) in
               [(line, value) for line, value in found if not isinstance(value, str)]]
    if not broken:
        compare_records(run, file, width, records)


def check_vb6(run, vb6check):
    check_vb6_values(run)
    if vb6check is not None:
        check_vb6_grammar(run, vb6check)


# ---------------------------------------------------------------- main

def arguments(argv):
    # The formatter runs in the files' folders: a path given relative is made whole.
    formatter = [os.path.abspath(a) if os.path.exists(a) else a for a in argv[argv.index("--") + 1:]]
    options = argv[1:argv.index("--")]
    dialect, workdir = options[0], Path(options[1]).resolve()
    seed = int(options[options.index("--seed") + 1]) if "--seed" in options else 1
    source = Path(options[options.index("--vb6check") + 1]) if "--vb6check" in options else None
    return dialect, workdir, seed, source, formatter


def main():
    dialect, workdir, seed, source, formatter = arguments(sys.argv)
    run = Run(dialect, workdir, formatter, seed)
    print(f"{dialect}: seed {seed}, {len(run.files)} files with "
          f"{sum(len(f.calls) for f in run.files)} calls, widths {WIDTHS}, in {run.folder}")
    run.write_inputs()
    reformat_all(run)
    check_common(run)
    if dialect == "vbnet":
        check_vbnet(run)
    elif dialect == "vbscript":
        check_vbscript(run)
    else:
        check_vb6(run, vb6check_program(source, workdir))
    run.report()
    print(f"{dialect}: {len(run.failures)} failures")
    return 1 if run.failures else 0


if __name__ == "__main__":
    sys.exit(main())
