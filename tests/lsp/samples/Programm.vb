Module Modul
    Sub Main()
        MsgBox("Dies ist ein sehr langer Text, der über die Breite von siebzig Zeichen hinausgeht und umbrochen werden muss.", MsgBoxStyle.Information, "Hinweis")
    End Sub
End Module
