"""Whole VB source files as people write them, seeded: VB6/VBA forms, modules
and classes, VBScript scripts and VB.NET classes and modules, full of MsgBox
calls in every form and layout among the code around them. Each file knows
its calls: where they stand and what the engine's MsgBox is to receive."""
import random

CONSTANTS = {"vbCrLf": "\r\n", "vbNewLine": "\r\n", "vbLf": "\n", "vbCr": "\r", "vbTab": "\t"}
BUTTON_VALUES = {"vbOKOnly": 0, "vbOKCancel": 1, "vbAbortRetryIgnore": 2, "vbYesNoCancel": 3,
                 "vbYesNo": 4, "vbRetryCancel": 5, "vbCritical": 16, "vbQuestion": 32,
                 "vbExclamation": 48, "vbInformation": 64, "vbDefaultButton2": 256,
                 "vbDefaultButton3": 512}
NET_STYLES = {"vbOKOnly": "OkOnly", "vbOKCancel": "OkCancel", "vbAbortRetryIgnore": "AbortRetryIgnore",
              "vbYesNoCancel": "YesNoCancel", "vbYesNo": "YesNo", "vbRetryCancel": "RetryCancel",
              "vbCritical": "Critical", "vbQuestion": "Question", "vbExclamation": "Exclamation",
              "vbInformation": "Information", "vbDefaultButton2": "DefaultButton2",
              "vbDefaultButton3": "DefaultButton3"}
VARIABLES = {"sName": "Müller-Lüdenscheidt", "sDatei": "C:\\Daten\\Kunden 2024.txt",
             "sBetrag": "1.234,56 €"}
TEXTS = ["Die Datei wurde gespeichert.", "Möchten Sie die Änderungen übernehmen?",
         'Er sagte "Hallo" und ging.', "Größe überschritten: ", "Kunde ",
         "Der Vorgang ist abgeschlossen, alle Daten sind übertragen worden.",
         "Fehler beim Öffnen von ", "Bitte prüfen Sie die Eingabe", "50% erledigt; weiter?",
         "Summe: ", " (Ä, Ö, Ü)", "Zeile eins", "Soll der Datensatz wirklich gelöscht werden?"]
TITLES = ["Frage", "Hinweis", "Grüße", 'Achtung "wichtig"', "Kunden-Verwaltung"]
ICONS = ["vbCritical", "vbQuestion", "vbExclamation", "vbInformation"]
BUTTON_SETS = ["vbOKOnly", "vbOKCancel", "vbAbortRetryIgnore", "vbYesNoCancel", "vbYesNo",
               "vbRetryCancel"]


def literal(text):
    return '"' + text.replace('"', '""') + '"'


class Call:
    """One MsgBox call: its prompt, buttons and title as parts, and the form
    and layout it is written in."""

    def __init__(self, prompt, buttons, title, form, qualifier, named, layout):
        self.prompt, self.buttons, self.title = prompt, buttons, title
        self.form, self.qualifier, self.named, self.layout = form, qualifier, named, layout
        self.lines = None  # where it stands in its file: (first, end), end exclusive
        self.tight = False  # VBScript's own way: "a" &vbLf& "b" &_

    def expected(self):
        """(prompt, buttons, title) as the engine's MsgBox gets them; the title
        None where the call gives none."""
        prompt = "".join(value(part) for part in self.prompt)
        buttons = sum(BUTTON_VALUES[b] for b in self.buttons)
        title = None if self.title is None else "".join(value(part) for part in self.title)
        return prompt, buttons, title


def value(part):
    kind, text = part
    return {"text": text, "const": CONSTANTS.get(text), "var": VARIABLES.get(text)}[kind]


def expression(parts, tight):
    written = []
    for kind, text in parts:
        written.append(literal(text) if kind == "text" else text)
    if not tight:
        return [w + " & " for w in written[:-1]] + written[-1:]
    # VBScript's authors write constants without blanks: "a" &vbLf&vbLf& "b"
    pieces = []
    for i, w in enumerate(written[:-1]):
        before, after = parts[i][0] == "const", parts[i + 1][0] == "const"
        pieces.append(w + {(False, False): " & ", (False, True): " &", (True, False): "& ",
                           (True, True): "&"}[(before, after)])
    return pieces + written[-1:]


class Writer:
    """Writes a dialect's code of a call: pieces of one line each, joined
    again or continued as the call's layout says."""

    def __init__(self, dialect):
        self.dialect = dialect

    def buttons(self, call):
        if self.dialect == "vbnet":
            return " Or ".join("MsgBoxStyle." + NET_STYLES[b] for b in call.buttons)
        joiner = " Or " if len(call.buttons) % 2 else " + "
        return joiner.join(call.buttons)

    def arguments(self, call):
        """The arguments as pieces; each but the last ends in its separator."""
        prompt = expression(call.prompt, call.tight)
        buttons = self.buttons(call)
        title = None if call.title is None else expression(call.title, call.tight)
        if call.named:
            args = [["Prompt:=" + prompt[0]] + prompt[1:]]
            if buttons:
                args.append(["Buttons:=" + buttons])
            if title is not None:
                args.append(["Title:=" + title[0]] + title[1:])
        else:
            args = [prompt, [buttons] if buttons or title is not None else None, title]
            while args[-1] is None:
                args.pop()
            args = [a if a is not None else [""] for a in args]
        pieces = []
        for i, arg in enumerate(args):
            separator = "" if i == len(args) - 1 else ", "
            if arg == [""]:
                pieces[-1] += separator  # an omitted argument: "x", , "Titel"
            else:
                pieces += arg[:-1] + [arg[-1] + separator]
        return pieces

    def lines(self, call, head, tail, parenthesised, indent):
        """The call's lines: HEAD before the arguments, TAIL after them."""
        pieces = self.arguments(call)
        name = call.qualifier + "MsgBox"
        opening = name + ("(" if parenthesised else " ")
        closing = ")" if parenthesised else ""
        if call.layout == "one line":
            return [indent + head + opening + "".join(pieces) + closing + tail]
        per_line = 2 if call.layout == "pairs" else 1
        texts = ["".join(pieces[i:i + per_line]) for i in range(0, len(pieces), per_line)]
        inner = indent + "    "
        if self.dialect == "vbnet":
            # Implicit continuation: lines end in "(", "," or "&", no " _".
            out = [indent + head + opening] if call.layout == "each" else []
            out += [inner + t.rstrip() for t in texts]
            if call.layout != "each":
                out[0] = indent + head + opening + texts[0].rstrip()
        else:
            out = [indent + head + opening + texts[0]] + [inner + t for t in texts[1:]]
            out = [self.continuation(line, call.tight) for line in out[:-1]] + out[-1:]
        out[-1] += closing + tail
        return out

    def continuation(self, line, tight):
        line = line.rstrip()
        if tight and line[-1] in "&,":
            return line + "_"  # VBScript's own: "a" &_ and "a",_
        return line + " _"


class File:
    def __init__(self, name, dialect, encoding, newline, final_break=True):
        self.name, self.dialect, self.encoding = name, dialect, encoding
        self.newline, self.final_break = newline, final_break
        self.lines, self.calls = [], []
        self.entry = None  # VB.NET: ("class" | "module", name) whose Ausfuehren runs the calls

    def add(self, *lines):
        self.lines += lines

    def add_call(self, call, lines):
        call.lines = (len(self.lines), len(self.lines) + len(lines))
        self.calls.append(call)
        self.lines += lines

    def text(self):
        body = self.newline.join(self.lines)
        return body + self.newline if self.final_break else body

    def data(self):
        return self.text().encode(self.encoding)


class Generator:
    def __init__(self, seed, dialect):
        self.random = random.Random(f"{seed}-{dialect}")
        self.dialect = dialect
        self.writer = Writer(dialect)
        self.answers = 0

    def choice(self, items):
        return self.random.choice(items)

    def prompt(self):
        if self.random.random() < 0.1:
            return [("var", self.choice(sorted(VARIABLES)))]  # MsgBox(sName)
        parts = [("text", self.choice(TEXTS))]
        for _ in range(self.random.randint(0, 4)):
            kind = self.choice(["text", "const", "const", "var"])
            if kind == "text":
                parts.append(("text", self.choice(TEXTS)))
            elif kind == "const":
                # VB.NET's vbNewLine is obsolete, a warning.
                names = ["vbCrLf", "vbLf", "vbTab"] + (["vbNewLine"] if self.dialect != "vbnet" else [])
                parts.append(("const", self.choice(names)))
            else:
                parts.append(("var", self.choice(sorted(VARIABLES))))
        if parts[-1][0] == "const" and self.random.random() < 0.5:
            parts.append(("text", self.choice(TEXTS)))
        return parts

    def call(self, form, **fixed):
        r = self.random
        buttons = []
        if r.random() < 0.85 or self.dialect == "vbscript":
            buttons = [self.choice(BUTTON_SETS)]
            if r.random() < 0.7:
                buttons.append(self.choice(ICONS))
            if buttons[0] not in ("vbOKOnly",) and r.random() < 0.3:
                buttons.append("vbDefaultButton2")
            if buttons == ["vbOKOnly"] and r.random() < 0.5:
                buttons = [self.choice(ICONS)]
            # The tool leaves out buttons of no value; the stand-in MsgBox of
            # a script takes no omitted argument, as VBScript's procedures do not.
            if buttons == ["vbOKOnly"] and self.dialect == "vbscript":
                buttons.append(self.choice(ICONS))
        title = self.title()
        if self.dialect == "vbscript" and title is None:
            title = [("text", "")]
        qualifiers = {"vb6": ["", "", "VBA.", "VBA.Interaction.", "Interaction."],
                      "vbnet": ["", "", "Interaction."], "vbscript": [""]}[self.dialect]
        named = self.dialect == "vb6" and r.random() < 0.25
        layout = self.choice(["one line", "one line", "pairs", "each"])
        arguments = dict(prompt=self.prompt(), buttons=buttons, title=title, form=form,
                         qualifier=self.choice(qualifiers), named=named, layout=layout)
        arguments.update(fixed)
        call = Call(**arguments)
        call.tight = self.dialect == "vbscript" and r.random() < 0.5
        return call

    def title(self):
        pick = self.random.random()
        if pick < 0.2:
            return None
        if pick < 0.35:
            return [("text", "")]
        if pick < 0.45:
            return [("text", self.choice(TITLES) + ": "), ("var", "sName")]
        return [("text", self.choice(TITLES))]

    def answer_name(self):
        self.answers += 1
        return f"lAntwort{self.answers}"


FORMS = ["statement", "answer", "if", "select", "call"]


class Procedure:
    """A procedure's body: its calls among other statements, and the names
    its answers need declared."""

    def __init__(self, generator, calls, fillers):
        self.items = []
        forms = [generator.choice(FORMS) for _ in range(calls)]
        for form in forms:
            for _ in range(generator.random.randint(0, 2)):
                self.items.append(("filler", generator.choice(fillers)))
            self.items.append(("call", generator.call(form)))
        self.items.append(("filler", generator.choice(fillers)))

    def answers(self):
        return [item for kind, item in self.items if kind == "call" and item.form == "answer"]


class DialectText:
    """How a dialect writes the code around a call."""
    vb6 = dict(statement=("", "", False), answer=("{answer} = ", "", True),
               if_=("If ", " = vbYes Then", True), select=("Select Case ", "", True),
               call=("Call ", "", True), goto=("", ": GoTo Weiter", False),
               yes="vbYes", end_if="End If")
    vbscript = vb6
    vbnet = dict(statement=("", "", True), answer=("Dim {answer} As MsgBoxResult = ", "", True),
                 if_=("If ", " = MsgBoxResult.Yes Then", True), select=("Select Case ", "", True),
                 call=("Call ", "", True), yes="MsgBoxResult.Yes", end_if="End If")


def write_body(generator, file, procedure, indent, counter_line):
    text = getattr(DialectText, generator.dialect)
    for kind, item in procedure.items:
        if kind == "filler":
            file.add(*[indent + line if line and not line.endswith(":") else line
                       for line in item(generator).split("\n")])
            continue
        call = item
        head, tail, parenthesised = text["if_" if call.form == "if" else call.form]
        head = head.format(answer=getattr(call, "answer", ""))
        file.add_call(call, generator.writer.lines(call, head, tail, parenthesised, indent))
        if call.form == "if":
            file.add(indent + "    " + counter_line, indent + text["end_if"])
        elif call.form == "select":
            file.add(indent + "Case " + text["yes"], indent + "    " + counter_line,
                     indent + "Case Else", indent + "    " + counter_line, indent + "End Select")


def name_answers(generator, procedure):
    for call in procedure.answers():
        call.answer = generator.answer_name()
    return [call.answer for call in procedure.answers()]


# VB6 statements around the calls; "{n}" is a fresh number for a line
# number or label. Each ends the way the reader must not mistake for a call's.
VB6_FILLERS = [
    lambda g: "n% = n% + 1",
    lambda g: "hwnd& = 0&",
    lambda g: "SendMessage hwnd, WM_CLOSE, ByVal 0&, ByVal 0&",
    lambda g: 'Debug.Print "Wert:",',
    lambda g: "Debug.Print sName;",
    lambda g: 'Debug.Print "Summe:"; n%,',
    lambda g: "' Betrag in Euro &",
    lambda g: "' Name, Vorname,",
    lambda g: f"{g.number()} n% = n% * 2",
    lambda g: f"Schritt{g.number()}:",
    lambda g: "If n% > 100 Then n% = 0",
    lambda g: "lFarbe = &H8000000F&",
    lambda g: '#If Win64 Then\n    Debug.Print "64 Bit",\n#Else\n    Debug.Print "32 Bit";\n#End If',
    lambda g: 'Open sDatei For Append As #1\nPrint #1, sName, sBetrag,\nPrint #1, "Ende";\nClose #1',
]

FORM_HEADER = """VERSION 5.00
Begin VB.Form {name} 
   BackColor       =   &H8000000F&
   BorderStyle     =   3  'Fester Dialog
   Caption         =   "{caption}"
   ClientHeight    =   3195
   ClientLeft      =   45
   ClientTop       =   330
   ClientWidth     =   4680
   LinkTopic       =   "Form1"
   ScaleHeight     =   3195
   ScaleWidth      =   4680
   StartUpPosition =   3  'Windows-Standard
   Begin VB.Frame fraDaten 
      Caption         =   "Daten"
      Height          =   1815
      Left            =   120
      TabIndex        =   1
      Top             =   120
      Width           =   4455
      Begin VB.TextBox txtName 
         BackColor       =   &H80000005&
         Height          =   315
         Left            =   120
         TabIndex        =   2
         Text            =   "Müller"
         Top             =   360
         Width           =   4095
      End
   End
   Begin VB.CommandButton cmdOK 
      Caption         =   "&OK"
      Default         =   -1  'True
      Height          =   375
      Left            =   3240
      TabIndex        =   0
      Top             =   2640
      Width           =   1215
   End
End
Attribute VB_Name = "{name}"
Attribute VB_GlobalNameSpace = False
Attribute VB_Creatable = False
Attribute VB_PredeclaredId = True
Attribute VB_Exposed = False"""

CLASS_HEADER = """VERSION 1.0 CLASS
BEGIN
  MultiUse = -1  'True
  Persistable = 0  'NotPersistable
  DataBindingBehavior = 0  'vbNone
  DataSourceBehavior  = 0  'vbNone
  MTSTransactionMode  = 0  'NotAnMTSObject
END
Attribute VB_Name = "{name}"
Attribute VB_GlobalNameSpace = False
Attribute VB_Creatable = True
Attribute VB_PredeclaredId = False
Attribute VB_Exposed = False"""

VB6_DECLARATIONS = """Option Explicit

' Fenster schließen: SendMessage hWnd, WM_CLOSE, 0&, 0&
{scope} Declare Function SendMessage Lib "user32" Alias "SendMessageA" (ByVal hwnd As Long, ByVal wMsg As Long, ByVal wParam As Long, lParam As Any) As Long
{scope} Declare Function GetTickCount Lib "kernel32" () As Long
Private Const WM_CLOSE As Long = &H10
Private Const FARBE_MASKE As Long = &H8000&
Private sName As String, sDatei As String
Private sBetrag$
#If Win64 Then
Private Const PLATTFORM As String = "64 Bit"
#Else
Private Const PLATTFORM As String = "32 Bit"
#End If"""

VB6_PROCEDURES = [("Private Sub cmdOK_Click()", "End Sub"),
                  ("Public Function Pruefen(ByVal lWert As Long) As Boolean", "End Function"),
                  ("Private Sub Speichern(sZiel As String, Optional ByVal bFrage As Boolean = True)",
                   "End Sub"),
                  ("Public Sub Melden()", "End Sub")]


class Vb6Generator(Generator):
    def __init__(self, seed):
        super().__init__(seed, "vb6")
        self.numbers = 0

    def number(self):
        self.numbers += 10
        return self.numbers

    def files(self):
        return [self.file("frmKunden.frm", FORM_HEADER, "Private", "Form_Load"),
                self.file("modWerkzeuge.bas", 'Attribute VB_Name = "{name}"', "Public", "Starten"),
                self.file("clsBericht.cls", CLASS_HEADER, "Private", "Class_Initialize")]

    def file(self, name, header, scope, first):
        stem = name.split(".")[0]
        file = File(name, "vb6", "cp1252", "\r\n")
        file.add(*header.format(name=stem, caption="Kunden").split("\n"))
        file.add(*VB6_DECLARATIONS.format(scope=scope).split("\n"))
        file.add("", f"Private Sub {first}()", *[f'    {v} = {literal(t)}' for v, t in VARIABLES.items()],
                 "End Sub")
        procedures = self.random.sample(VB6_PROCEDURES, 3)
        for number, (opening, closing) in enumerate(procedures):
            self.procedure(file, opening, closing, last=number == len(procedures) - 1)
        return file

    def procedure(self, file, opening, closing, last):
        procedure = Procedure(self, self.random.randint(3, 5), VB6_FILLERS)
        if last:
            # The calls the reader has got wrong before: an empty title kept,
            # and a call before ": GoTo".
            procedure.items.insert(0, ("call", Call([("text", "Gespeichert.")], ["vbExclamation"],
                                                    [("text", "")], "statement", "", False, "one line")))
            procedure.items.append(("call", self.call("goto", layout="one line")))
        answers = name_answers(self, procedure)
        file.add("", opening, "    Dim hwnd&, n%, lFarbe As Long")
        file.add(*[f"    Dim {a} As VbMsgBoxResult" for a in answers])
        write_body(self, file, procedure, "    ", "n% = n% + 1")
        if last:
            file.add("Weiter:")
        file.add(closing)


VBSCRIPT_FILLERS = [
    lambda g: "n = n + 1",
    lambda g: "' Betrag in Euro &",
    lambda g: "' Name, Vorname,",
    lambda g: 'WScript.Echo "Zeile " & n',
    lambda g: "If n > 100 Then n = 0",
    lambda g: 'sZeile = "Kunde: " & sName &_\n    "; Datei: " & sDatei',
    lambda g: 'aListe = Array("Ä", "Ö",_\n    "Ü")',
    lambda g: 'sZeile = sName &vbTab& sBetrag',
]


class VbscriptGenerator(Generator):
    def __init__(self, seed):
        super().__init__(seed, "vbscript")

    def files(self):
        return [self.file("Sicherung.vbs", "\r\n", True), self.file("Bereinigen.vbs", "\r\n", True),
                # A script of LF lines whose last line, a call, has no break.
                self.file("Melden.vbs", "\n", False)]

    def file(self, name, newline, final_break):
        file = File(name, "vbscript", "cp1252", newline, final_break)
        file.add(f"' {name}: prüft und meldet, was zu tun ist", "Option Explicit", "",
                 "Dim sName, sDatei, sBetrag, n, sZeile, aListe")
        file.add(*[f"{v} = {literal(t)}" for v, t in VARIABLES.items()], "n = 0")
        names = self.random.sample(["Pruefen", "Sichern", "Aufraeumen", "Melden"], 3)
        for name in names:
            procedure = Procedure(self, self.random.randint(3, 5), VBSCRIPT_FILLERS)
            answers = name_answers(self, procedure)
            file.add("", f"Sub {name}()")
            file.add(*[f"    Dim {a}" for a in answers])
            write_body(self, file, procedure, "    ", "n = n + 1")
            file.add("End Sub")
        file.add("", *names)
        if not final_break:
            call = Call([("text", "Fertig: "), ("var", "sName")], ["vbInformation"], [("text", "Melden")],
                        "statement", "", False, "one line")
            file.add_call(call, self.writer.lines(call, "", "", False, ""))
        return file


VBNET_FILLERS = [
    lambda g: "n += 1",
    lambda g: "' Betrag in Euro &",
    lambda g: "' Name, Vorname,",
    lambda g: 'Debug.WriteLine("Wert: " & n.ToString())',
    lambda g: "If n > 100 Then n = 0",
    lambda g: f'Dim sZeile{g.number()} As String = String.Concat("Kunde: ",\n    sName, "; ",\n    sDatei)',
    lambda g: f'Dim sInfo{g.number()} As String = $"Datei {{sDatei}}: {{n}} Zeilen"',
    lambda g: 'sb.Append("Summe: ").Append(n).Append(Kuerzen(" Ende "))',
    lambda g: "Dim lFarbe{0} As Integer = &H8000 Or\n    &HF".format(g.number()),
]

VBNET_CLASS = """Imports System
Imports System.Diagnostics
Imports System.Text

Public Class Knopf
    Public Event Click As EventHandler
End Class

Public Class {name}
    Private WithEvents btnOK As New Knopf()
{fields}

    Public Sub Ausfuehren()
        btnOK_Click(Me, EventArgs.Empty)
{runs}
    End Sub

    ' Der Parameter heißt wie die Funktion, deren Aufrufe hier stehen.
    Private Function Kuerzen(msgBox As String) As String
        Return msgBox.Trim()
    End Function"""

VBNET_MODULE = """Imports System.Diagnostics
Imports System.Text

Public Module {name}
{fields}

    Public Sub Ausfuehren()
{runs}
    End Sub

    Private Function Kuerzen(msgBox As String) As String
        Return msgBox.Trim()
    End Function"""


class VbnetGenerator(Generator):
    def __init__(self, seed):
        super().__init__(seed, "vbnet")
        self.numbers = 0

    def number(self):
        self.numbers += 1
        return self.numbers

    def files(self):
        return [self.file("FormKunden.vb", "class", VBNET_CLASS),
                self.file("Werkzeuge.vb", "module", VBNET_MODULE),
                self.file("Bericht.vb", "class", VBNET_CLASS)]

    def file(self, name, kind, template):
        stem = name.split(".")[0]
        file = File(name, "vbnet", "utf-8", "\r\n")
        file.entry = (kind, stem)
        fields = "\n".join(f"    Private ReadOnly {v} As String = {literal(t)}" for v, t in VARIABLES.items())
        names = self.random.sample(["Pruefen", "Sichern", "Aufraeumen", "Melden"], 3)
        runs = "\n".join(f"        {n}(3)" for n in names)
        file.add(*template.format(name=stem, fields=fields, runs=runs).split("\n"))
        if kind == "class":
            names.insert(0, "btnOK_Click")
        for number, procedure_name in enumerate(names):
            procedure = Procedure(self, self.random.randint(3, 5), VBNET_FILLERS)
            name_answers(self, procedure)
            if procedure_name == "btnOK_Click":
                file.add("", "    Private Sub btnOK_Click(sender As Object, e As EventArgs) Handles btnOK.Click")
            else:
                file.add("", f"    Private Sub {procedure_name}(ByVal lWert As Integer)")
            start = "0" if procedure_name == "btnOK_Click" else "lWert"
            file.add(f"        Dim n As Integer = {start}", "        Dim sb As New StringBuilder()")
            if number == 0:
                # A call of its prompt alone, a variable: MsgBox(sName)
                procedure.items.insert(0, ("call", Call([("var", "sName")], [], None, "statement", "",
                                                        False, "one line")))
            write_body(self, file, procedure, "        ", "n += 1")
            file.add("    End Sub")
        file.add(f"End {'Class' if kind == 'class' else 'Module'}")
        return file


GENERATORS = {"vb6": Vb6Generator, "vbscript": VbscriptGenerator, "vbnet": VbnetGenerator}


def generate(seed, dialect):
    return GENERATORS[dialect](seed).files()
