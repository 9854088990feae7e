#include "content/HelpText.h"

#include <QDir>
#include <QStringList>

QString helpDocumentPath(const QString &programFolder)
{
    return QDir(programFolder).filePath(QStringLiteral("Hilfe zum MsgBox - Quillon (Lumo).htm"));
}

QString fallbackHelpText()
{
    const QStringList lines {
        QStringLiteral("Geben Sie im ersten Textfeld die Titelzeile,"),
        QStringLiteral("und im zweiten Textfeld den Message-Text ein."),
        QString(),
        QStringLiteral("Im unteren Textfeld erscheint der formatierte VB-Code in fester Breite."),
        QStringLiteral("Sie können die MsgBox auch gleich ausprobieren."),
        QString(),
        QStringLiteral("Auf der zweiten Seite (Button ''erweiterte Einstellungen'') können Sie "),
        QStringLiteral("Einstellungen für Icons, Buttons und verschiedene Anzeigemodi vornehmen."),
        QString(),
        QStringLiteral("Die zweite Seite kann geöffnet bleiben,"),
        QStringLiteral("während auf der ersten Seite weitere Eingaben gemacht werden."),
    };
    return lines.join(QStringLiteral("\r\n"));
}

QString fallbackHelpTitle()
{
    return QStringLiteral("MsgBox - Quillon  (Lumo)");
}
