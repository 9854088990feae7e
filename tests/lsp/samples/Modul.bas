Attribute VB_Name = "Modul"
Option Explicit

Sub Speichern()
    MsgBox "Dies ist ein sehr langer Text, der über die Breite von siebzig Zeichen hinausgeht und umbrochen werden muss.", vbOKOnly + vbInformation, "Speichern"
    Dim lRet As VbMsgBoxResult
    lRet = MsgBox("Wirklich überschreiben? Dies ist ein sehr langer Text, der über die Breite von siebzig Zeichen hinausgeht und umbrochen werden muss.", vbYesNo + vbQuestion, "Datei")
End Sub
