#pragma once

#include "code_writer/Formatter.h"
#include "vb_frontend/VbReader.h"

#include <QActionGroup>
#include <QObject>

class QAction;
class QPlainTextEdit;
class QPoint;
class QSettings;

// The context menu of the code box: the box's own editing entries, then
// "VB-Code übernehmen", the same with the fixed values of variables, and
// the "Code-Form" and "Dialekt" submenus. The actions live as long as the
// box, so the window and its tests reach them by name. The chosen form and
// dialect are kept in the settings given.
class CodeBoxMenu : public QObject
{
    Q_OBJECT

public:
    CodeBoxMenu(QPlainTextEdit &txtFormatiert, QSettings &settings);

    quillon::model::CodeForm form() const;
    // The If form fits sets of two buttons only.
    void setIfFormAvailable(bool available);

    quillon::model::Dialect dialect() const;
    // Chooses the dialect as the user's pick from the menu does, kept as well.
    void setDialect(quillon::model::Dialect dialect);

signals:
    void formChanged();
    void dialectChanged();
    // Run-time values kept as expressions, or read for fixed text.
    void takeOverRequested(quillon::frontend::VbReading reading);

private:
    void checkForm(quillon::model::CodeForm form);
    void addFormAction(quillon::model::CodeForm form, const QString &text, const QString &name);
    void checkDialect(quillon::model::Dialect dialect);
    void addDialectAction(quillon::model::Dialect dialect, const QString &name);
    void showAt(const QPoint &position);

    QPlainTextEdit &txtFormatiert;
    QSettings &settings;
    QAction *takeOver;
    QAction *takeOverFixed;
    QActionGroup forms { this };
    QActionGroup dialects { this };
};
