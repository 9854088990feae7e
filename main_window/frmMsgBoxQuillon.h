#pragma once

#include "platform/Services.h"
#include "ui_frmMsgBoxQuillon.h"
#include "vb_frontend/VbDialect.h"
#include "vb_model/MessageParts.h"
#include "vb_model/StyleFlags.h"

#include <QTimer>
#include <QWidget>

#include <memory>

class CodeBoxMenu;
class ExpressionMarks;
class QPlainTextEdit;
class frmIconsAndButtons;
namespace codegen {
struct FormatResult;
enum class FormatOutcome;
enum class VbReading;
struct VbCall;
}

// The start-up window: title and message in, VB code out, the message box
// test with its return value, help, and the doors to the other two windows.
class frmMsgBoxQuillon : public QWidget
{
    Q_OBJECT

public:
    explicit frmMsgBoxQuillon(const Services &services);
    ~frmMsgBoxQuillon() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void applyFontsAndColours();
    void connectHandlers();

    void Form_Load();
    void Form_Unload();
    void LoadLastMsgText();
    void SaveLastMsgText();

    void txtOriginal_Change();
    void txtOriginal_GotFocus();
    void txtOriginal_LostFocus();
    void HScroll1_Change();
    void showCodeWidthTip(int codeWidth);
    void cmdFormatieren_Click();
    void cmdTesten_Click();
    void tmrRückwert_Timer();
    void cmdClearText_Click();
    void cmdLöschen_Click();
    void imgHelp_Click();
    void lblAbout_Click();
    void showIconsAndButtons();

    codegen::FormatOutcome formatIntoCodeBox(bool backToMessage = true);
    void showRefusal(const codegen::FormatResult &result);
    void writeCode(const QString &code);
    void rewriteOwnCode();
    void takeStyleChoices(const codegen::StyleChoices &choices);
    void takeOverVbCode(codegen::VbReading reading);
    void takeIntoBoxes(const codegen::VbCall &call);
    QString takeDialectOf(const std::optional<codegen::DialectEvidence> &evidence);
    QString writeCallsInPlace(
        const QString &code, codegen::Dialect dialect, codegen::VbReading reading);
    void showDialect();
    void forgetTakenOverCall();
    void returnToMessage();

    Ui::frmMsgBoxQuillon ui;
    Services services;
    std::unique_ptr<frmIconsAndButtons> options;
    QTimer tmrRückwert { this };
    CodeBoxMenu *codeBoxMenu = nullptr; // owned by txtFormatiert
    ExpressionMarks *marks = nullptr; // owned by txtOriginal

    // What a call taken over holds beyond the boxes and the options: its
    // title in parts while txtTitel shows it unchanged, its buttons as
    // written until other choices are made, and what followed it.
    codegen::MessageParts takenTitle;
    QString takenTitleShown;
    QString takenButtons;
    QString takenTrailing;
    // The code the tool last wrote into the code box, as the box holds it;
    // empty where the box holds none of the tool's own.
    QString codeWritten;

    codegen::StyleChoices styleChoices;
    int iCaretPos = 0; // in the box's own positions: a line break counts once
};
