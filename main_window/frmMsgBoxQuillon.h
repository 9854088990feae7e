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
namespace quillon::writer {
struct FormatResult;
enum class FormatOutcome;
} // namespace quillon::writer
namespace quillon::frontend {
enum class VbReading;
struct VbCall;
} // namespace quillon::frontend

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

    quillon::writer::FormatOutcome formatIntoCodeBox(bool backToMessage = true);
    void showRefusal(const quillon::writer::FormatResult &result);
    void writeCode(const QString &code);
    void rewriteOwnCode();
    void takeStyleChoices(const quillon::model::StyleChoices &choices);
    void takeOverVbCode(quillon::frontend::VbReading reading);
    void takeIntoBoxes(const quillon::frontend::VbCall &call);
    QString takeDialectOf(const std::optional<quillon::frontend::DialectEvidence> &evidence);
    QString writeCallsInPlace(
        const QString &code, quillon::model::Dialect dialect, quillon::frontend::VbReading reading);
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
    quillon::model::MessageParts takenTitle;
    QString takenTitleShown;
    QString takenButtons;
    QString takenTrailing;
    // The code the tool last wrote into the code box, as the box holds it;
    // empty where the box holds none of the tool's own.
    QString codeWritten;

    quillon::model::StyleChoices styleChoices;
    int iCaretPos = 0; // in the box's own positions: a line break counts once
};
