#!/usr/bin/env python3
"""Runs the code msgbox-format writes in a dialect's own engine and checks that
the MsgBox it calls gets the typed message, the chosen flags and the title.

    engine_check.py vbnet    WORKDIR -- FORMATTER...   (.NET SDK's VB compiler)
    engine_check.py vbscript WORKDIR -- FORMATTER...   (Wine's cscript)

FORMATTER is the command that runs msgbox-format (a Windows build's under
Wine). Exits 77 where the engine is missing, which CTest reports as skipped.
"""
import shutil
import subprocess
import sys
from pathlib import Path

from engine_support import (FIELD, MARKER, RECORD_END, SKIPPED, build_vbnet, new_vbnet_project,
                            prepare_wine, run_cscript, run_vbnet, stop_wine)

ICONS = {"none": 0, "question": 32, "information": 64, "exclamation": 48, "critical": 16}
BUTTON_SETS = {"ok": 0, "okcancel": 1, "yesno": 4, "yesnocancel": 3, "retrycancel": 5,
               "abortretryignore": 2}
TWO_BUTTONS = {"okcancel", "yesno", "retrycancel"}
FORMS = ["statement", "answer", "if", "select", "text-variable"]

LONG_TEXT = "\n".join(
    f"Absatz {n}: Über die Grüße aus Köln, Äpfel und Öl wird hier so lange geschrieben, "
    f"bis die Zeile umbricht und das Maß der Zeilenfortsetzungen voll ist."
    for n in range(1, 16))
# As typed, one final line break dropped, as msgbox-format reads them. Only
# characters of Windows-1252, which a VBScript file is read in.
MESSAGES = {
    "umlauts": "Grüße aus Köln: Äpfel, Öl und Übermaß",
    "quotes": 'Er sagte "Hallo" und ging. "Ende"',
    "empty lines": "\nErste Zeile\n\n\nNach zwei Leerzeilen\n\n",
    "long": LONG_TEXT,
}
TITLES = ['Frage', 'Grüße "zitiert"', 'Hinweis']


class Case:
    def __init__(self, number, form, buttons, icon, message_name, title):
        self.name = f"case{number:03d}"
        self.form, self.buttons, self.icon = form, buttons, icon
        self.message_name, self.title = message_name, title
        self.message = MESSAGES[message_name]
        self.default = 2 if buttons != "ok" and number % 2 else 1

    def arguments(self, dialect):
        return ["--dialect", dialect, "--form", self.form, "--buttons", self.buttons,
                "--icon", self.icon, "--default", str(self.default), "--title", self.title]

    def expected(self):
        prompt = self.message.replace('"', "''").replace("\n", "\r\n")
        flags = ICONS[self.icon] + BUTTON_SETS[self.buttons]
        if self.default == 2:
            flags += 256
        return prompt, str(flags), self.title

    def __str__(self):
        return f"{self.name} ({self.form}, {self.buttons}, {self.icon}, {self.message_name})"


def cases(every_message, needs_flags, long_forms):
    """Every form with every button set (If with the sets of two), each with
    one of the messages in turn, or with all of them."""
    result = []
    icons = [i for i in ICONS if i != "none" or not needs_flags]
    for form in FORMS:
        for b, buttons in enumerate(BUTTON_SETS):
            if form == "if" and buttons not in TWO_BUTTONS:
                continue
            names = list(MESSAGES) if every_message else [list(MESSAGES)[b % len(MESSAGES)]]
            for name in names:
                if name == "long" and form not in long_forms:
                    name = "umlauts"
                icon = icons[(len(result) + b) % len(icons)]
                result.append(Case(len(result) + 1, form, buttons, icon, name,
                                   TITLES[len(result) % len(TITLES)]))
    return result


def written_code(formatter, case, dialect):
    run = subprocess.run(formatter + case.arguments(dialect), input=case.message.encode() + b"\n",
                         capture_output=True, timeout=120)
    if run.returncode != 0:
        raise SystemExit(f"msgbox-format failed for {case}: {run.stderr.decode(errors='replace')}")
    return run.stdout.decode()


def reformatted(formatter, code, arguments):
    """The code written anew by --reformat, narrower, in the dialect it tells
    or the arguments say."""
    run = subprocess.run(formatter + ["--reformat", "--width", "50"] + arguments,
                         input=code.encode(), capture_output=True, timeout=120)
    if run.returncode != 0:
        raise SystemExit(f"msgbox-format --reformat failed: {run.stderr.decode(errors='replace')}\n{code}")
    return run.stdout.decode()


def compare(case, record, failures, label=""):
    fields = record.split(FIELD)
    if len(fields) != 3:
        failures.append(f"{case}{label}: no call recorded: {record!r}")
        return
    for what, got, want in zip(("prompt", "buttons", "title"), fields, case.expected()):
        if got != want:
            failures.append(f"{case}{label}: {what} {got[:200]!r}, expected {want[:200]!r}")


def report(failures, count, engine):
    for failure in failures:
        print(failure)
    print(f"{engine}: {count - len(failures)} of {count} cases passed")
    return 1 if failures else 0


# MsgBox of the module comes before Microsoft.VisualBasic's; it records the call.
VBNET_STAND_IN = """    Private ReadOnly Calls As New System.Text.StringBuilder()

    Function MsgBox(Prompt As Object, Optional Buttons As MsgBoxStyle = MsgBoxStyle.OkOnly,
                    Optional Title As Object = Nothing) As MsgBoxResult
        Calls.Append(CStr(Prompt) & "{field}" & CInt(Buttons).ToString() & "{field}" & CStr(Title) & "{end}")
        Return MsgBoxResult.Ok
    End Function
"""


def check_vbnet(workdir, formatter):
    dotnet = shutil.which("dotnet")
    if not dotnet:
        print("SKIPPED: dotnet (the .NET SDK) is not on the PATH; the VB.NET code was not compiled.")
        return SKIPPED
    all_cases = cases(every_message=True, needs_flags=False, long_forms=FORMS)
    lines = ["Module Program", VBNET_STAND_IN.format(field=FIELD, end=RECORD_END)]
    for case in all_cases:
        code = written_code(formatter, case, "vbnet")
        # Written anew as VB.NET's: a line's ending is no evidence of a
        # dialect, so standard input names it.
        anew = reformatted(formatter, code, ["--dialect", "vbnet"])
        for name, body in ((case.name, code), (case.name + "anew", anew)):
            lines += [f"    Sub {name}()", body.rstrip("\r\n"), "    End Sub", ""]
    lines += ["    Sub Main(arguments As String())"]
    lines += [f"        {case.name}()\r\n        {case.name}anew()" for case in all_cases]
    lines += ["        System.IO.File.WriteAllText(arguments(0), Calls.ToString(),"
              " New System.Text.UTF8Encoding(False))", "    End Sub", "End Module", ""]
    project = workdir / "vbnet"
    new_vbnet_project(project, {"Program.vb": "\r\n".join(lines)})
    errors = build_vbnet(dotnet, project)
    if errors is not None:
        print(errors)
        print(f"VB.NET: the code of {len(all_cases)} cases does not compile ({project / 'Program.vb'}).")
        return 1
    calls = project / "calls.txt"
    run_vbnet(dotnet, project, [str(calls)])
    records = calls.read_bytes().decode("utf-8").split(RECORD_END)
    failures = []
    for i, case in enumerate(all_cases):
        compare(case, records[2 * i], failures)
        compare(case, records[2 * i + 1], failures, " written anew")
    return report(failures, 2 * len(all_cases), "VB.NET")


# VBScript's procedures take no optional arguments: every case has flags and a title.
VBSCRIPT_STAND_IN = """Function MsgBox(p, b, t)
    Dim fso, f
    Set fso = CreateObject("Scripting.FileSystemObject")
    Set f = fso.CreateTextFile("{name}.out", True, True)
    f.Write p & "{field}" & b & "{field}" & t
    f.Close
    MsgBox = 1
End Function
"""
def run_vbscript(folder, case, code, wine):
    script = VBSCRIPT_STAND_IN.format(name=case.name, field=FIELD) + code + f'WScript.Echo "{MARKER}"\r\n'
    (folder / f"{case.name}.vbs").write_bytes(script.replace("\r\n", "\n").replace("\n", "\r\n")
                                              .encode("cp1252"))
    if not run_cscript(wine, folder, f"{case.name}.vbs"):
        return None
    output = folder / f"{case.name}.out"
    return output.read_bytes().decode("utf-16") if output.exists() else ""


def check_script(folder, case, code, wine, failures, label=""):
    record = run_vbscript(folder, case, code, wine)
    if record is None:
        failures.append(f"{case}{label}: the script did not run to its end ({folder / case.name}.vbs)")
    else:
        compare(case, record, failures, label)


def check_vbscript(workdir, formatter):
    wine = shutil.which("wine")
    if not wine:
        print("SKIPPED: wine is not installed; the VBScript code was not run.")
        return SKIPPED
    folder = workdir / "vbscript"
    shutil.rmtree(folder, ignore_errors=True)
    folder.mkdir(parents=True)
    all_cases = cases(every_message=False, needs_flags=True, long_forms=["text-variable"])
    # The long text is refused by the other forms, as in VB6: once more in
    # the only form that takes it.
    all_cases.append(Case(len(all_cases) + 1, "text-variable", "yesno", "question", "long", "Lang"))
    # Written anew, each form's first case stays VBScript: no code of that
    # form tells VBScript from VB6, so --dialect says it.
    anew = {case.form: case for case in reversed(all_cases)}.values()
    failures = []
    prepare_wine()
    try:
        for case in all_cases:
            code = written_code(formatter, case, "vbscript")
            check_script(folder, case, code, wine, failures)
            if case in anew:
                code = reformatted(formatter, code, ["--dialect", "vbscript"])
                check_script(folder, case, code, wine, failures, " written anew")
    finally:
        stop_wine()
    return report(failures, len(all_cases) + len(anew), "VBScript")


def main():
    engine, workdir = sys.argv[1], Path(sys.argv[2]).resolve()
    formatter = sys.argv[sys.argv.index("--") + 1:]
    check = {"vbnet": check_vbnet, "vbscript": check_vbscript}[engine]
    return check(workdir, formatter)


if __name__ == "__main__":
    sys.exit(main())
