<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>Cli</name>
    <message>
        <source>Bad value &apos;%1&apos; for --%2: expected %3.</source>
        <translation>Ungültiger Wert &apos;%1&apos; für --%2: erwartet %3.</translation>
    </message>
    <message>
        <source>a whole number from %1 to %2</source>
        <translation>eine ganze Zahl von %1 bis %2</translation>
    </message>
    <message>
        <source>one of %1</source>
        <translation>eines von %1</translation>
    </message>
    <message>
        <source>Bad value for --title: a title cannot hold a line break.</source>
        <translation>Ungültiger Wert für --title: ein Titel kann keinen Zeilenumbruch enthalten.</translation>
    </message>
    <message>
        <source>--form if needs a set of two buttons, but --buttons %1 shows %2; use --form select or a set of two buttons.</source>
        <translation>--form if braucht zwei Schaltflächen, aber --buttons %1 zeigt %2; nehmen Sie --form select oder zwei Schaltflächen.</translation>
    </message>
    <message>
        <source>%1 button</source>
        <translation>%1 Schaltfläche</translation>
    </message>
    <message>
        <source>%1 buttons</source>
        <translation>%1 Schaltflächen</translation>
    </message>
    <message>
        <source>Unexpected argument &apos;%1&apos;: the message is read from standard input; files go with --reformat or --check.</source>
        <translation>Unerwartetes Argument &apos;%1&apos;: der Text wird von der Standardeingabe gelesen; Dateien gehören zu --reformat oder --check.</translation>
    </message>
    <message>
        <source>--check takes one or more files, without --reformat and --in-place.</source>
        <translation>--check nimmt eine oder mehrere Dateien, ohne --reformat und --in-place.</translation>
    </message>
    <message>
        <source>--in-place goes with --reformat and files.</source>
        <translation>--in-place gehört zu --reformat und Dateien.</translation>
    </message>
    <message>
        <source>--line goes with --reformat.</source>
        <translation>--line gehört zu --reformat.</translation>
    </message>
    <message>
        <source>--reformat writes one file to standard output; give --in-place for %1 files.</source>
        <translation>--reformat schreibt eine Datei auf die Standardausgabe; geben Sie --in-place für %1 Dateien an.</translation>
    </message>
    <message>
        <source>--reformat writes one file to standard output; give --in-place for the folder &apos;%1&apos;.</source>
        <translation>--reformat schreibt eine Datei auf die Standardausgabe; geben Sie --in-place für den Ordner &apos;%1&apos; an.</translation>
    </message>
    <message>
        <source>%1 goes with a call on standard input, not with files or --line.</source>
        <translation>%1 gehört zu einem Aufruf auf der Standardeingabe, nicht zu Dateien oder --line.</translation>
    </message>
    <message>
        <source>--fixed-values goes with --read or --reformat.</source>
        <translation>--fixed-values gehört zu --read oder --reformat.</translation>
    </message>
    <message>
        <source>--read and --reformat exclude each other.</source>
        <translation>--read und --reformat schließen einander aus.</translation>
    </message>
    <message>
        <source>The MsgBox call stands in a one-line If, whose condition --form would lose; write it as an If block, or leave out --form.</source>
        <translation>Der MsgBox-Aufruf steht in einem einzeiligen If, dessen Bedingung --form verlöre; schreiben Sie es als If-Block, oder lassen Sie --form weg.</translation>
    </message>
    <message>
        <source>The MsgBox call has an empty prompt; there is nothing to write anew.</source>
        <translation>Der MsgBox-Aufruf hat einen leeren Text; es gibt nichts neu zu schreiben.</translation>
    </message>
    <message>
        <source>The call written anew needs characters that %1 cannot hold.</source>
        <translation>Der neu geschriebene Aufruf braucht Zeichen, die %1 nicht fassen kann.</translation>
    </message>
    <message>
        <source>Standard input is not valid UTF-8.</source>
        <translation>Die Standardeingabe ist kein gültiges UTF-8.</translation>
    </message>
    <message>
        <source>%1 needs a character.</source>
        <translation>%1 braucht ein Zeichen.</translation>
    </message>
    <message>
        <source>%1 is not expected here.</source>
        <translation>%1 ist hier unerwartet.</translation>
    </message>
    <message>
        <source>%1 is no fixed text.</source>
        <translation>%1 ist kein fester Text.</translation>
    </message>
    <message>
        <source>%1 is no MsgBox constant.</source>
        <translation>%1 ist keine MsgBox-Konstante.</translation>
    </message>
    <message>
        <source>%1 is no number of type Long.</source>
        <translation>%1 ist keine Zahl vom Typ Long.</translation>
    </message>
    <message>
        <source>%1 is no whole number.</source>
        <translation>%1 ist keine ganze Zahl.</translation>
    </message>
    <message>
        <source>%1 is no argument of MsgBox.</source>
        <translation>%1 ist kein Argument von MsgBox.</translation>
    </message>
    <message>
        <source>%1 is out of range.</source>
        <translation>%1 liegt außerhalb des gültigen Bereichs.</translation>
    </message>
    <message>
        <source>The number %1 stands beside +; only &amp; joins it as text.</source>
        <translation>Die Zahl %1 steht neben +; nur &amp; verbindet sie als Text.</translation>
    </message>
    <message>
        <source>The string lacks its closing quote.</source>
        <translation>Dem Text fehlt das schließende Anführungszeichen.</translation>
    </message>
    <message>
        <source>The MsgBox call is incomplete.</source>
        <translation>Der MsgBox-Aufruf ist unvollständig.</translation>
    </message>
    <message>
        <source>The text grows too long.</source>
        <translation>Der Text wird zu lang.</translation>
    </message>
    <message>
        <source>The parentheses are nested too deeply.</source>
        <translation>Die Klammern sind zu tief verschachtelt.</translation>
    </message>
    <message>
        <source>The sum is too large for a number of type Long.</source>
        <translation>Die Summe ist zu groß für eine Zahl vom Typ Long.</translation>
    </message>
    <message>
        <source>Nothing follows the line continuation.</source>
        <translation>Hinter dem Zeilenfortsetzungszeichen folgt nichts.</translation>
    </message>
    <message>
        <source>No MsgBox call found.</source>
        <translation>Kein MsgBox-Aufruf gefunden.</translation>
    </message>
    <message>
        <source>MsgBox without a prompt.</source>
        <translation>MsgBox ohne Text.</translation>
    </message>
    <message>
        <source>Left out, as the options cannot hold it: %1</source>
        <translation>Nicht übernommen, da die Optionen es nicht fassen: %1</translation>
    </message>
    <message>
        <source>The call stands in a one-line If; its condition is left out.</source>
        <translation>Der Aufruf steht in einem einzeiligen If; dessen Bedingung ist nicht übernommen.</translation>
    </message>
    <message>
        <source>The code holds further MsgBox calls; the first one was read.</source>
        <translation>Der Code enthält weitere MsgBox-Aufrufe; gelesen wurde der erste.</translation>
    </message>
    <message>
        <source>The code would need more line continuations than VB takes.</source>
        <translation>Der Code bräuchte mehr Zeilenfortsetzungen, als VB annimmt.</translation>
    </message>
    <message>
        <source>A line of the code would be longer than the 1,023 characters VB takes; shorten the title, or long runs of empty lines and blanks in the text.</source>
        <translation>Eine Zeile des Codes wäre länger als die 1023 Zeichen, die VB annimmt; kürzen Sie den Titel oder lange Folgen von Leerzeilen und Leerzeichen im Text.</translation>
    </message>
    <message>
        <source>The MsgBox call has HelpFile or Context, which MsgBox in %1 does not take; it cannot be written for %1 (--dialect).</source>
        <translation>Der MsgBox-Aufruf hat HelpFile oder Context, die MsgBox in %1 nicht kennt; so kann er nicht für %1 geschrieben werden (--dialect).</translation>
    </message>
    <message>
        <source>The text has %1 characters; MsgBox in %2 shows only about the first %3 and cuts the rest.</source>
        <translation>Der Text hat %1 Zeichen; MsgBox zeigt in %2 nur etwa die ersten %3 und schneidet den Rest ab.</translation>
    </message>
    <message>
        <source>it is not text: it holds NUL bytes</source>
        <translation>sie ist kein Text: sie enthält NUL-Bytes</translation>
    </message>
    <message>
        <source>its bytes are not valid %1</source>
        <translation>ihre Bytes sind kein gültiges %1</translation>
    </message>
    <message>
        <source>the call written anew would need characters that %1 cannot hold</source>
        <translation>der neu geschriebene Aufruf bräuchte Zeichen, die %1 nicht fassen kann</translation>
    </message>
    <message>
        <source>the call could not be written anew in its place</source>
        <translation>der Aufruf ließ sich an seiner Stelle nicht neu schreiben</translation>
    </message>
    <message>
        <source>the line is %1 characters long; VB takes %2</source>
        <translation>die Zeile ist %1 Zeichen lang; VB nimmt %2 an</translation>
    </message>
    <message>
        <source>the statement has %1 line continuations; VB takes %2</source>
        <translation>die Anweisung hat %1 Zeilenfortsetzungen; VB nimmt %2 an</translation>
    </message>
    <message>
        <source>line %1, column %2: %3</source>
        <translation>Zeile %1, Spalte %2: %3</translation>
    </message>
    <message>
        <source>A wider --width, up to %1, takes fewer lines.</source>
        <translation>Eine größere --width, bis %1, braucht weniger Zeilen.</translation>
    </message>
    <message>
        <source>No width fits it; --form text-variable builds the text in sText, in as many statements as it needs.</source>
        <translation>Keine Breite fasst ihn; --form text-variable baut den Text in sText zusammen, in so vielen Anweisungen wie nötig.</translation>
    </message>
    <message>
        <source>A wider --width, up to %1, takes fewer lines; where none fits, build the text in sText, as --reformat --form text-variable writes the call on standard input.</source>
        <translation>Eine größere --width, bis %1, braucht weniger Zeilen; wo keine passt, bauen Sie den Text in sText zusammen, wie --reformat --form text-variable den Aufruf auf der Standardeingabe schreibt.</translation>
    </message>
    <message>
        <source>%1; left as it was</source>
        <translation>%1; unverändert gelassen</translation>
    </message>
    <message>
        <source>MsgBox call kept as it stands: %1</source>
        <translation>MsgBox-Aufruf unverändert gelassen: %1</translation>
    </message>
    <message>
        <source>no MsgBox call to write anew covers line %1</source>
        <translation>kein neu zu schreibender MsgBox-Aufruf umfasst Zeile %1</translation>
    </message>
    <message>
        <source>cannot be read: %1</source>
        <translation>kann nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>cannot be written: %1; left as it was</source>
        <translation>kann nicht geschrieben werden: %1; unverändert gelassen</translation>
    </message>
    <message>
        <source>MsgBox call not laid out as --reformat --width %1 writes it</source>
        <translation>MsgBox-Aufruf nicht so gesetzt, wie --reformat --width %1 ihn schreibt</translation>
    </message>
    <message>
        <source>MsgBox call cannot be written anew: %1</source>
        <translation>MsgBox-Aufruf kann nicht neu geschrieben werden: %1</translation>
    </message>
    <message>
        <source>&lt;standard input&gt;</source>
        <translation>&lt;Standardeingabe&gt;</translation>
    </message>
    <message>
        <source>Usage: msgbox-format [--width N] [--title TEXT] [--icon NAME] [--buttons NAME]
                     [--default N] [--system-modal] [--right] [--prompt]
                     [--form NAME] [--dialect NAME]
       msgbox-format --read | --reformat [--fixed-values] [--width N] [--form NAME]
                     [--dialect NAME]
       msgbox-format --reformat [--width N] [--line N] [--in-place] [--dialect NAME]
                     [FILE|FOLDER...]
       msgbox-format --check [--width N] FILE|FOLDER...
       msgbox-format --version
Reads a message from standard input (UTF-8) and writes the VB code of a MsgBox
for it to standard output, with CR LF line breaks.
  --width N        code width, 40..75, default 70
  --title TEXT     title; empty or &quot;Titelleiste&quot; means none (default none)
  --icon NAME      none | question | information | exclamation | critical
  --buttons NAME   ok | okcancel | yesno | yesnocancel | retrycancel | abortretryignore
  --default N      1 | 2 | 3
  --system-modal   the &quot;Immer &apos;On Top&apos;&quot; choice
  --right          the &quot;Text rechtsbündig&quot; choice
  --prompt         print the prompt that the message box test would show
                   (the value of the written code) instead of the code
  --form NAME      statement | answer | if | select | text-variable,
                   default statement; if takes a set of two buttons
  --dialect NAME   vb6 | vba | vbscript | vbnet | twinbasic, default vb6
                   (vba writes as vb6); --reformat keeps the dialect of the
                   code it reads unless told
  --read           read a VB MsgBox call on standard input, print it as JSON
  --reformat       write the VB code back with every MsgBox call laid out anew
                   (--width); the code around the calls, its run-time values,
                   indentation, encoding and line breaks stay as written, and
                   so does a call it cannot write anew; --form writes the
                   first call alone in that form
  --fixed-values   read variables and constants given fixed text before the
                   call for that text, instead of keeping them
  FILE...          VB source files (.bas .cls .frm .ctl ...): --reformat writes
                   every MsgBox call of each anew in its place, in the file&apos;s
                   own encoding and line breaks, to standard output (one file);
                   a FOLDER stands for the VB source files in it and below
                   it, by their kinds, in the order of their paths
  -i, --in-place   replace each file that changes, at once, keeping its
                   permissions
  --line N         only the call that covers line N (a file, or standard input)
  --check          change nothing; list as FILE:LINE:COLUMN: what --reformat
                   would change and what VB would not take (more than 24
                   continuations, a line over 1023 characters)
  --help           show this help
  --version        show the version
Exit status: 0 done, 1 the text was refused (a call kept, a file not done, or
--check found something), 2 a usage error.
</source>
        <translation>Aufruf: msgbox-format [--width N] [--title TEXT] [--icon NAME] [--buttons NAME]
                      [--default N] [--system-modal] [--right] [--prompt]
                      [--form NAME] [--dialect NAME]
        msgbox-format --read | --reformat [--fixed-values] [--width N] [--form NAME]
                      [--dialect NAME]
        msgbox-format --reformat [--width N] [--line N] [--in-place] [--dialect NAME]
                      [DATEI|ORDNER...]
        msgbox-format --check [--width N] DATEI|ORDNER...
        msgbox-format --version
Liest einen Meldungstext von der Standardeingabe (UTF-8) und schreibt den VB-Code
einer MsgBox dafür auf die Standardausgabe, mit CR LF als Zeilenumbruch.
  --width N        Codebreite, 40..75, Vorgabe 70
  --title TEXT     Titel; leer oder &quot;Titelleiste&quot; heißt keiner (Vorgabe keiner)
  --icon NAME      none | question | information | exclamation | critical
  --buttons NAME   ok | okcancel | yesno | yesnocancel | retrycancel | abortretryignore
  --default N      1 | 2 | 3
  --system-modal   die Wahl &quot;Immer &apos;On Top&apos;&quot;
  --right          die Wahl &quot;Text rechtsbündig&quot;
  --prompt         den Text ausgeben, den der MsgBox-Test zeigen würde (den
                   Wert des geschriebenen Codes), statt des Codes
  --form NAME      statement | answer | if | select | text-variable,
                   Vorgabe statement; if braucht zwei Schaltflächen
  --dialect NAME   vb6 | vba | vbscript | vbnet | twinbasic, Vorgabe vb6
                   (vba schreibt wie vb6); --reformat behält den Dialekt des
                   gelesenen Codes, wenn nichts anderes angegeben ist
  --read           einen VB-MsgBox-Aufruf von der Standardeingabe lesen und
                   als JSON ausgeben
  --reformat       den VB-Code mit jedem MsgBox-Aufruf neu gesetzt zurückgeben
                   (--width); der Code um die Aufrufe, seine Laufzeitwerte,
                   Einrückung, Kodierung und Zeilenumbrüche bleiben, wie sie
                   sind, ebenso ein Aufruf, der sich nicht neu schreiben lässt;
                   --form schreibt den ersten Aufruf allein in dieser Form
  --fixed-values   Variablen und Konstanten, denen vor dem Aufruf fester Text
                   gegeben wurde, als diesen Text lesen, statt sie zu behalten
  DATEI...         VB-Quelldateien (.bas .cls .frm .ctl ...): --reformat
                   schreibt jeden MsgBox-Aufruf jeder Datei an seiner Stelle
                   neu, in Kodierung und Zeilenumbrüchen der Datei, auf die
                   Standardausgabe (eine Datei); ein ORDNER steht für die
                   VB-Quelldateien in ihm und darunter, nach ihrer Art, in
                   der Reihenfolge ihrer Pfade
  -i, --in-place   jede Datei, die sich ändert, auf einmal ersetzen, mit ihren
                   Zugriffsrechten
  --line N         nur den Aufruf, der Zeile N umfasst (einer Datei oder der
                   Standardeingabe)
  --check          nichts ändern; als DATEI:ZEILE:SPALTE: auflisten, was
                   --reformat ändern würde und was VB nicht annähme (mehr als
                   24 Zeilenfortsetzungen, eine Zeile über 1023 Zeichen)
  --help           diese Hilfe zeigen
  --version        die Version zeigen
Rückgabewert: 0 erledigt, 1 der Text wurde abgelehnt (ein Aufruf unverändert,
eine Datei nicht erledigt, oder --check fand etwas), 2 ein Aufruffehler.
</translation>
    </message>
</context>
</TS>
