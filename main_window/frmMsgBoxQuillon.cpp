#include "main_window/frmMsgBoxQuillon.h"

#include "about_window/frmAbout.h"
#include "code_writer/Formatter.h"
#include "content/HelpText.h"
#include "io/HelpDocument.h"
#include "io/LastMsgStore.h"
#include "main_window/CodeBoxMenu.h"
#include "options_window/frmIconsAndButtons.h"
#include "platform/MessageBoxService.h"
#include "platform/ShellService.h"
#include "source_files/SourceCalls.h"
#include "vb_frontend/VbDialect.h"
#include "vb_frontend/VbReader.h"
#include "vb_model/LineBreaks.h"
#include "vb_model/VbConstants.h"
#include "widgets/ExpressionMarks.h"
#include "widgets/Pictures.h"
#include "widgets/Twips.h"
#include "widgets/WindowSetup.h"

#include <QCloseEvent>
#include <QDebug>
#include <QFocusEvent>
#include <QIcon>
#include <QScreen>
#include <QStringList>
#include <QTextCursor>
#include <QToolTip>
#include <QVariant>

namespace {

constexpr int kClientWidthTwips = 8625;
// Shown shorter than designed (7,600 twips outside, less 480 of title bar and
// borders), so the measuring box below the scroll bar is out of sight.
constexpr int kClientHeightTwips = 7600 - 480;
constexpr int kTwipsPerCodeColumn = 90;
constexpr int kReturnValueDisplayMs = 10'000;

constexpr qint32 kWarningStyle = quillon::model::kVbExclamation.value;
constexpr qint32 kNoteStyle = quillon::model::kVbInformation.value;

const QColor kGreen(0, 128, 0);
const QColor kDarkBlue(0, 0, 192);
const QColor kRed(255, 0, 0);

QFont codeFont()
{
    return fontWithTwin(
        QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"), 8.25, QFont::Monospace);
}

// One step of the box's own undo, as an edit of the user's would be, so
// that Ctrl+Z brings back what the tool wrote over.
void replaceText(QPlainTextEdit &box, const QString &text)
{
    QTextCursor cursor(box.document());
    cursor.beginEditBlock();
    cursor.select(QTextCursor::Document);
    cursor.insertText(text);
    cursor.endEditBlock();
    box.moveCursor(QTextCursor::Start);
}

void placeCaret(QPlainTextEdit &box, int position)
{
    QTextCursor cursor = box.textCursor();
    cursor.setPosition(qBound(0, position, box.document()->characterCount() - 1));
    box.setTextCursor(cursor);
}

// Opening a context menu or switching to another window is no real leaving
// of the box: the selection has to survive "Kopieren" from the menu.
bool isRealFocusChange(const QEvent *event)
{
    const Qt::FocusReason reason = static_cast<const QFocusEvent *>(event)->reason();
    return reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason;
}

} // namespace

frmMsgBoxQuillon::frmMsgBoxQuillon(const Services &services)
    : services(services)
{
    ui.setupUi(this);
    useFixedWindowFrame(*this, Qt::Window, true);
    setWindowIcon(QIcon(mainWindowPicture()));
    ui.imgHelp->setPixmap(helpPicture());
    ui.Image1->setPixmap(settingsPicture());
    applyFontsAndColours();
    ui.lblRückwBeschriftung->adjustSize();
    codeBoxMenu = new CodeBoxMenu(*ui.txtFormatiert, services.settings);
    marks = new ExpressionMarks(*ui.txtOriginal);
    tmrRückwert.setObjectName(QStringLiteral("tmrRückwert"));
    tmrRückwert.setInterval(kReturnValueDisplayMs);
    tmrRückwert.setSingleShot(true);
    pressFocusedButtonOnEnter(*this);
    // Label3 with the code width stays hidden; the scroll bar tells it.
    showFocusFrame(*ui.HScroll1);
    connectHandlers();
    Form_Load();
    showDialect();
}

frmMsgBoxQuillon::~frmMsgBoxQuillon() = default;

void frmMsgBoxQuillon::applyFontsAndColours()
{
    setFont(dialogFont(8.25));
    ui.txtDummy->setFont(codeFont());
    ui.txtFormatiert->setFont(codeFont());
    ui.lblAbout->setFont(fontWithTwin(
        QStringLiteral("Arial"), QStringLiteral("Liberation Sans"), 9, QFont::SansSerif));
    ui.Label5->setFont(dialogFont(9));
    ui.Label4->setFont(dialogFont(9));
    ui.Label7->setFont(dialogFont(14.25));

    useTextBoxColours(*ui.lblAbout);
    centreCaptionWord(*ui.lblAbout);
    useTextBoxColours(*ui.lblFlags);
    setForeColour(*ui.lblRückwert, kRed);
    setForeColour(*ui.lblRückwBeschriftung, kGreen);
    setForeColour(*ui.lblZeichenAnzahl, kGreen);
    for (QLabel *guide : { ui.lblKopierenHint, ui.Label5, ui.Label4, ui.Label2, ui.lblDialekt })
        setForeColour(*guide, kDarkBlue);
    keepCaptionsWhole(*this);
}

void frmMsgBoxQuillon::connectHandlers()
{
    connect(
        ui.txtOriginal, &QPlainTextEdit::textChanged, this, &frmMsgBoxQuillon::txtOriginal_Change);
    connect(ui.HScroll1, &QScrollBar::valueChanged, this, &frmMsgBoxQuillon::HScroll1_Change);
    connect(
        ui.cmdFormatieren, &QPushButton::clicked, this, &frmMsgBoxQuillon::cmdFormatieren_Click);
    connect(ui.cmdTesten, &QPushButton::clicked, this, &frmMsgBoxQuillon::cmdTesten_Click);
    connect(ui.cmdClearText, &QPushButton::clicked, this, &frmMsgBoxQuillon::cmdClearText_Click);
    connect(ui.cmdLöschen, &QPushButton::clicked, this, &frmMsgBoxQuillon::cmdLöschen_Click);
    connect(&tmrRückwert, &QTimer::timeout, this, &frmMsgBoxQuillon::tmrRückwert_Timer);
    connect(ui.imgHelp, &ClickableLabel::clicked, this, &frmMsgBoxQuillon::imgHelp_Click);
    connect(ui.lblAbout, &ClickableLabel::clicked, this, &frmMsgBoxQuillon::lblAbout_Click);
    connect(ui.Image1, &ClickableLabel::clicked, this, &frmMsgBoxQuillon::showIconsAndButtons);
    connect(ui.Label7, &ClickableLabel::clicked, this, &frmMsgBoxQuillon::showIconsAndButtons);
    connect(codeBoxMenu, &CodeBoxMenu::takeOverRequested, this, &frmMsgBoxQuillon::takeOverVbCode);
    connect(codeBoxMenu, &CodeBoxMenu::formChanged, this, &frmMsgBoxQuillon::rewriteOwnCode);
    connect(codeBoxMenu, &CodeBoxMenu::dialectChanged, this, [this] {
        showDialect();
        rewriteOwnCode();
    });

    ui.txtOriginal->installEventFilter(this);
    ui.txtOriginal->viewport()->installEventFilter(this);
    ui.txtFormatiert->viewport()->installEventFilter(this);
}

bool frmMsgBoxQuillon::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::FocusIn:
        if (watched == ui.txtOriginal && isRealFocusChange(event))
            txtOriginal_GotFocus();
        break;
    case QEvent::FocusOut:
        if (watched == ui.txtOriginal && isRealFocusChange(event))
            txtOriginal_LostFocus();
        break;
    case QEvent::MouseButtonDblClick:
        // The whole text, ready to copy, instead of the word under the mouse.
        if (watched == ui.txtOriginal->viewport()) {
            ui.txtOriginal->selectAll();
            return true;
        }
        if (watched == ui.txtFormatiert->viewport()) {
            ui.txtFormatiert->selectAll();
            return true;
        }
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void frmMsgBoxQuillon::closeEvent(QCloseEvent *event)
{
    Form_Unload();
    event->accept();
}

void frmMsgBoxQuillon::Form_Load()
{
    setFixedSize(twipsToPixels(kClientWidthTwips), twipsToPixels(kClientHeightTwips));
    centreOnScreen(*this, *screen());
    ui.txtDummy->setVisible(false);
    ui.lblZeichenAnzahl->clear();
    LoadLastMsgText();
    HScroll1_Change();
    options = std::make_unique<frmIconsAndButtons>(services.messageBox);
    connect(options.get(), &frmIconsAndButtons::choicesChanged, this,
        &frmMsgBoxQuillon::takeStyleChoices);
    takeStyleChoices(options->choices());
    ui.txtOriginal->setFocus();
}

void frmMsgBoxQuillon::Form_Unload()
{
    options->unload();
    SaveLastMsgText();
}

void frmMsgBoxQuillon::LoadLastMsgText()
{
    const std::optional<LastMessage> stored
        = loadLastMessage(lastMessageFolders(services.programFolder, services.dataFolder));
    if (!stored)
        return;
    ui.txtTitel->setText(stored->title);
    ui.txtOriginal->setPlainText(quillon::model::toWidgetText(stored->message));
}

// The program ends either way; a lost store is worth a warning, which reaches
// standard error on Linux and the debugger's output on Windows, where a GUI
// program has no standard error.
void frmMsgBoxQuillon::SaveLastMsgText()
{
    const LastMessage record { ui.txtTitel->text(),
        quillon::model::fromWidgetText(ui.txtOriginal->toPlainText()) };
    QString errorText;
    if (!saveLastMessage(
            lastMessageFolders(services.programFolder, services.dataFolder), record, errorText))
        qWarning().noquote() << errorText;
}

// Counted as stored and formatted: a line break is CR LF, two characters.
// Red where the dialect's MsgBox would cut the text or cannot show some of
// its characters, without interrupting the typing: the tool tip says why.
void frmMsgBoxQuillon::txtOriginal_Change()
{
    const QString text = quillon::model::fromWidgetText(ui.txtOriginal->toPlainText());
    ui.lblZeichenAnzahl->setText(QString::number(text.size()));
    const quillon::model::Dialect dialect = codeBoxMenu->dialect();
    QStringList warnings { quillon::model::promptLengthWarning(text.size(), dialect),
        quillon::model::unshowableCharactersWarning(text, dialect) };
    warnings.removeAll(QString());
    setForeColour(*ui.lblZeichenAnzahl, warnings.isEmpty() ? kGreen : kRed);
    ui.lblZeichenAnzahl->setToolTip(
        warnings.isEmpty() ? QString() : u' ' + warnings.join(u" \n ") + u' ');
}

// Named beside the code box as well, so that no one needs to hover to see
// which VB the code is for.
void frmMsgBoxQuillon::showDialect()
{
    const QString title = quillon::model::dialectTitle(codeBoxMenu->dialect());
    ui.txtFormatiert->setToolTip(QStringLiteral(" VB-Code für %1 ").arg(title));
    ui.lblDialekt->setText(QStringLiteral("Dialekt: %1").arg(title));
    if (!ui.lblZeichenAnzahl->text().isEmpty())
        txtOriginal_Change();
}

void frmMsgBoxQuillon::txtOriginal_GotFocus()
{
    placeCaret(*ui.txtOriginal, iCaretPos);
}

void frmMsgBoxQuillon::txtOriginal_LostFocus()
{
    iCaretPos = ui.txtOriginal->textCursor().selectionStart();
}

void frmMsgBoxQuillon::HScroll1_Change()
{
    const int codeWidth = ui.HScroll1->value();
    ui.txtDummy->resize(twipsToPixels(codeWidth * kTwipsPerCodeColumn), ui.txtDummy->height());
    ui.Label3->setText(QString::number(codeWidth));
    showCodeWidthTip(codeWidth);
}

// Updated while the tip is up, so dragging or an arrow key shows each width.
void frmMsgBoxQuillon::showCodeWidthTip(int codeWidth)
{
    const QString tip = QStringLiteral("Textbreite: %1 Zeichen").arg(codeWidth);
    ui.HScroll1->setToolTip(tip);
    if (ui.HScroll1->isVisible() && (ui.HScroll1->underMouse() || ui.HScroll1->hasFocus()))
        QToolTip::showText(
            ui.HScroll1->mapToGlobal(QPoint(0, ui.HScroll1->height())), tip, ui.HScroll1);
}

// lblFlags only shows the choices, or the buttons of a call taken over as
// written; nothing reads them back from it. Choices made anew replace those.
void frmMsgBoxQuillon::takeStyleChoices(const quillon::model::StyleChoices &choices)
{
    styleChoices = choices;
    takenButtons.clear();
    const quillon::model::StyleFlags flags = quillon::model::computeStyleFlags(choices);
    ui.lblFlags->setText(flags.expression);
    codeBoxMenu->setIfFormAvailable(
        quillon::model::formFits(quillon::model::CodeForm::If, choices));
}

// The user's own code, pasted into the code box, back into the boxes and the
// options window. The code box keeps the user's code, with the call written
// anew in its place as msgbox-format --reformat writes it. On an error
// nothing the user typed changes.
void frmMsgBoxQuillon::takeOverVbCode(quillon::frontend::VbReading reading)
{
    const QString code = quillon::model::fromWidgetText(ui.txtFormatiert->toPlainText());
    const std::optional<quillon::frontend::DialectEvidence> evidence
        = quillon::frontend::dialectEvidenceIn(code);
    const quillon::model::Dialect dialect = evidence ? evidence->dialect : codeBoxMenu->dialect();
    const quillon::frontend::VbReadResult read
        = quillon::frontend::readMsgBox(code, dialect, reading);
    if (!read.found()) {
        services.messageBox.show(
            QStringLiteral("Kein VB-Code übernommen:\r\n\r\n") + read.error(), kWarningStyle);
        return;
    }
    codeWritten.clear();
    takeIntoBoxes(read.call());
    QStringList note { quillon::frontend::takeOverNote(read.call()) };
    note << takeDialectOf(evidence);
    note << writeCallsInPlace(code, dialect, reading);
    returnToMessage();
    note.removeAll(QString());
    if (!note.isEmpty())
        services.messageBox.show(note.join(u"\r\n"), kNoteStyle);
}

// The call's title, message and options, its run-time values marked in
// the message. The code form stays the user's choice.
void frmMsgBoxQuillon::takeIntoBoxes(const quillon::frontend::VbCall &call)
{
    ui.txtTitel->setText(call.title.isEmpty() ? quillon::writer::kNoTitle.toString() : call.title);
    marks->setParts(call.prompt);
    options->setChoices(call.choices);
    takenTitle = call.titleParts;
    takenTitleShown = ui.txtTitel->text();
    takenButtons = call.buttonsExpression;
    takenTrailing = call.trailing;
    if (!takenButtons.isEmpty())
        ui.lblFlags->setText(takenButtons);
}

// Code that only one dialect writes is taken as that dialect's; the user is
// told which and why, since the code is written anew in it.
QString frmMsgBoxQuillon::takeDialectOf(
    const std::optional<quillon::frontend::DialectEvidence> &evidence)
{
    if (!evidence || evidence->dialect == codeBoxMenu->dialect())
        return {};
    codeBoxMenu->setDialect(evidence->dialect);
    return QStringLiteral("Dialekt umgestellt auf ''%1'': nur %1 schreibt \"%2\".")
        .arg(quillon::model::dialectTitle(evidence->dialect), evidence->shownBy);
}

// As msgbox-format --reformat writes the code, so that the window and the
// command line give the same: each call anew in its place, the variable
// given the answer, its declaration or the lack of one, the bodies of If
// and Select Case as they stood. A call that cannot be written anew stays
// as it stood, and the user is told why.
QString frmMsgBoxQuillon::writeCallsInPlace(
    const QString &code, quillon::model::Dialect dialect, quillon::frontend::VbReading reading)
{
    quillon::sources::RelayoutRequest request;
    request.codeWidth = ui.HScroll1->value();
    request.dialect = dialect;
    request.reading = reading;
    const quillon::sources::RelaidSource written = quillon::sources::relayOutCalls(code, request);
    if (!written.changed.isEmpty())
        replaceText(*ui.txtFormatiert, quillon::model::toWidgetText(written.text));
    QStringList kept;
    for (const quillon::sources::SourceFinding &call : written.kept)
        kept << QStringLiteral("Zeile %1: %2").arg(call.line).arg(call.message);
    if (kept.isEmpty())
        return {};
    return QStringLiteral("Im VB-Code bleibt stehen, wie er war:\r\n") + kept.join(u"\r\n");
}

void frmMsgBoxQuillon::cmdFormatieren_Click()
{
    formatIntoCodeBox();
}

// A new form or dialect shows at once in code the tool wrote; code of the
// user's own, taken over or typed, stays as it is.
void frmMsgBoxQuillon::rewriteOwnCode()
{
    if (!codeWritten.isEmpty() && ui.txtFormatiert->toPlainText() == codeWritten)
        formatIntoCodeBox(false);
}

void frmMsgBoxQuillon::writeCode(const QString &code)
{
    codeWritten = quillon::model::toWidgetText(code);
    replaceText(*ui.txtFormatiert, codeWritten);
}

quillon::writer::FormatOutcome frmMsgBoxQuillon::formatIntoCodeBox(bool backToMessage)
{
    quillon::writer::FormatRequest request;
    request.parts = marks->parts();
    request.title = ui.txtTitel->text();
    if (!takenTitle.isEmpty() && request.title == takenTitleShown)
        request.titleParts = takenTitle;
    request.style = styleChoices;
    request.buttonsExpression = takenButtons;
    request.trailing = takenTrailing;
    request.codeWidth = ui.HScroll1->value();
    request.form = codeBoxMenu->form();
    request.dialect = codeBoxMenu->dialect();
    const quillon::writer::FormatResult result = quillon::writer::formatMessage(request);
    switch (result.outcome) {
    case quillon::writer::FormatOutcome::EmptyMessage:
        ui.cmdLöschen->click();
        break;
    case quillon::writer::FormatOutcome::Refused:
        showRefusal(result);
        break;
    case quillon::writer::FormatOutcome::Formatted:
        ui.txtDummy->setPlainText(quillon::model::toWidgetText(result.measuringText));
        writeCode(result.code);
        if (backToMessage)
            returnToMessage();
        break;
    }
    return result.outcome;
}

// The code box shows how far the formatting got; caret and focus stay as
// they were.
void frmMsgBoxQuillon::showRefusal(const quillon::writer::FormatResult &result)
{
    ui.txtDummy->setPlainText(quillon::model::toWidgetText(result.measuringText));
    writeCode(result.code);
    QString message = result.refusalMessage;
    if (codeBoxMenu->form() == quillon::model::CodeForm::Statement
        && message == quillon::writer::continuationLimitMessage())
        message += QStringLiteral("\r\nOder wählen Sie im Kontextmenü des VB-Codes unter "
                                  "''Code-Form'' die Form ''Text in Variable''.");
    services.messageBox.show(message, quillon::model::kVbOKOnly.value);
}

// Going to the top first scrolls the box there before the caret goes back.
void frmMsgBoxQuillon::returnToMessage()
{
    placeCaret(*ui.txtOriginal, 0);
    placeCaret(*ui.txtOriginal, iCaretPos);
    ui.txtOriginal->setFocus();
}

void frmMsgBoxQuillon::cmdTesten_Click()
{
    tmrRückwert.stop();
    const quillon::writer::FormatOutcome outcome = formatIntoCodeBox();
    if (outcome == quillon::writer::FormatOutcome::Refused)
        return;
    // What the written code shows, read as VB reads it; an empty message
    // writes no code and shows an empty box. Code the reader cannot take
    // back would be the formatter's fault: said, not shown as an empty box.
    QString prompt;
    if (outcome == quillon::writer::FormatOutcome::Formatted) {
        const quillon::frontend::VbReadResult written = quillon::frontend::readMsgBox(
            quillon::model::fromWidgetText(ui.txtFormatiert->toPlainText()),
            codeBoxMenu->dialect());
        if (!written.found()) {
            services.messageBox.show(written.error(), quillon::model::kVbOKOnly.value);
            return;
        }
        prompt = written->message;
    }
    const int buttonNumber = services.messageBox.show(
        prompt, quillon::model::computeStyleFlags(styleChoices).value, ui.txtTitel->text());
    ui.lblRückwert->setText(QString::number(buttonNumber));
    ui.lblRückwBeschriftung->setVisible(true);
    ui.lblRückwert->setVisible(true);
    tmrRückwert.start();
    placeCaret(*ui.txtOriginal, iCaretPos);
    ui.txtOriginal->setFocus();
}

void frmMsgBoxQuillon::tmrRückwert_Timer()
{
    ui.lblRückwBeschriftung->setVisible(false);
    ui.lblRückwert->setVisible(false);
    tmrRückwert.stop();
}

void frmMsgBoxQuillon::forgetTakenOverCall()
{
    codeWritten.clear();
    takenTitle.clear();
    takenTitleShown.clear();
    takenTrailing.clear();
    if (!takenButtons.isEmpty())
        takeStyleChoices(styleChoices);
}

void frmMsgBoxQuillon::cmdClearText_Click()
{
    forgetTakenOverCall();
    ui.txtTitel->setText(quillon::writer::kNoTitle.toString());
    ui.txtOriginal->setPlainText(QStringLiteral("Original - Text"));
    replaceText(*ui.txtFormatiert, QStringLiteral("Ausgabe VB - Code"));
    ui.lblZeichenAnzahl->clear();
    tmrRückwert_Timer();
}

void frmMsgBoxQuillon::cmdLöschen_Click()
{
    forgetTakenOverCall();
    ui.txtOriginal->clear();
    replaceText(*ui.txtFormatiert, QString());
    ui.txtDummy->clear();
    ui.txtOriginal->setFocus();
}

void frmMsgBoxQuillon::imgHelp_Click()
{
    const QString document = helpDocumentPath(services.programFolder);
    if (isHelpDocumentPresent(document))
        services.shell.openDocument(document);
    else
        services.messageBox.show(
            fallbackHelpText(), quillon::model::kVbOKOnly.value, fallbackHelpTitle());
}

void frmMsgBoxQuillon::lblAbout_Click()
{
    frmAbout about(services.shell, this);
    about.exec();
}

// Beside the main window, so that it may stay open while the user types.
// Where the screen is too small for that, it covers the code box rather
// than the boxes the user types into and the buttons.
void frmMsgBoxQuillon::showIconsAndButtons()
{
    if (!options->isVisible())
        placeBeside(*options, *this, ui.Label4->y());
    options->show();
    options->raise();
    options->activateWindow();
}
