#pragma once

#include "vb_model/Dialect.h"

#include <QString>
#include <QStringList>

namespace quillon::model {

struct VbConstant;

// The five choices of the options window, as the indexes of its option
// arrays and the states of its two check boxes.
struct StyleChoices
{
    int icon = 0; // optIcon: 0 Ohne, 1 Frage, 2 Info, 3 Hinweis, 4 Fehler
    int buttons = 0; // optButtons: 0 OK .. 5 Abbrechen, Wiederholen, Ignorieren
    int defaultButton = 1; // optDefaultButton: 1..3
    bool systemModal = false;
    bool textRight = false;

    friend bool operator==(const StyleChoices &, const StyleChoices &) = default;
};

inline constexpr int kIconChoiceCount = 5;
inline constexpr int kButtonSetChoiceCount = 6;
inline constexpr int kDefaultButtonChoiceCount = 3;

// The flags as the generated code and the message box take them: the VB
// constants joined by " Or ", and the sum of their values.
struct StyleFlags
{
    QString expression;
    qint32 value = 0;
};

// Out-of-range indexes contribute no term. The constants are named as the
// dialect names them; the value is the same in all.
StyleFlags computeStyleFlags(const StyleChoices &choices, Dialect dialect = Dialect::Vb6);

// The constant an icon, button-set or default-button choice writes; nullptr
// for the first choice ("Ohne", "  OK", 1), which writes none, and for an
// index out of range.
const VbConstant *iconConstantOf(int icon);
const VbConstant *buttonSetConstantOf(int buttons);
const VbConstant *defaultButtonConstantOf(int defaultButton);

// A buttons value as a VB program computed it, taken back into the choices.
// What the options window cannot show stays out of the choices and is named
// in notTakenOver: a constant by its name, other bits as a number.
struct ChoicesOfValue
{
    StyleChoices choices;
    QStringList notTakenOver;
};

ChoicesOfValue choicesOfValue(qint32 buttonsValue);

} // namespace quillon::model
