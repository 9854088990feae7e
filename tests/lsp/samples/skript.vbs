Option Explicit
MsgBox "Dies ist ein sehr langer Text, der über die Breite von siebzig Zeichen hinausgeht und umbrochen werden muss.", vbOKCancel, "Skript"
Dim s
s = "fertig"
If MsgBox("Noch einmal? Dies ist ein sehr langer Text, der über die Breite von siebzig Zeichen hinausgeht und umbrochen werden muss.", vbYesNo) = vbYes Then WScript.Quit
