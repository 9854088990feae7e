#pragma once

#include <QString>

// The five choices of the options window, as the indexes of its option
// arrays and the states of its two check boxes.
struct StyleChoices
{
    int icon = 0;          // optIcon: 0 Ohne, 1 Frage, 2 Info, 3 Hinweis, 4 Fehler
    int buttons = 0;       // optButtons: 0 OK .. 5 Abbrechen, Wiederholen, Ignorieren
    int defaultButton = 1; // optDefaultButton: 1..3
    bool systemModal = false;
    bool textRight = false;
};

// The flags as the generated code and the message box take them: the VB
// constants joined by " Or ", and the sum of their values.
struct StyleFlags
{
    QString expression;
    qint32 value = 0;
};

// Out-of-range indexes contribute no term.
StyleFlags computeStyleFlags(const StyleChoices &choices);
