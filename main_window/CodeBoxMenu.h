#pragma once

#include "codegen/Formatter.h"

#include <QActionGroup>
#include <QObject>

class QAction;
class QPlainTextEdit;
class QPoint;

// The context menu of the code box: the box's own editing entries, then
// "VB-Code übernehmen" and the "Code-Form" submenu. The actions live as long
// as the box, so the window and its tests reach them by name. The chosen
// form is kept in the user's settings.
class CodeBoxMenu : public QObject
{
    Q_OBJECT

public:
    explicit CodeBoxMenu(QPlainTextEdit &txtFormatiert);

    codegen::CodeForm form() const;
    // Chooses the form as the user's pick from the menu does, kept as well.
    void setForm(codegen::CodeForm form);
    // The If form fits sets of two buttons only.
    void setIfFormAvailable(bool available);

signals:
    void takeOverRequested();

private:
    void checkForm(codegen::CodeForm form);
    void addFormAction(codegen::CodeForm form, const QString &text, const QString &name);
    void showAt(const QPoint &position);

    QPlainTextEdit &txtFormatiert;
    QAction *takeOver;
    QActionGroup forms { this };
};
