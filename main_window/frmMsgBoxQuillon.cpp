#include "main_window/frmMsgBoxQuillon.h"

#include "about_window/frmAbout.h"
#include "codegen/Formatter.h"
#include "codegen/LineBreaks.h"
#include "codegen/PromptRebuild.h"
#include "main_window/Help.h"
#include "main_window/LastMsgStore.h"
#include "options_window/FlagsLabel.h"
#include "options_window/frmIconsAndButtons.h"
#include "platform/MessageBoxService.h"
#include "platform/ShellService.h"
#include "platform/Twips.h"

#include <QCloseEvent>
#include <QFocusEvent>
#include <QIcon>
#include <QScreen>
#include <QTextCursor>

#include <cstdio>

namespace {

constexpr int kClientWidthTwips = 8625;
// Shown shorter than designed (7,600 twips outside, less 480 of title bar and
// borders), so the measuring box below the scroll bar is out of sight.
constexpr int kClientHeightTwips = 7600 - 480;
constexpr int kTwipsPerCodeColumn = 90;
constexpr int kReturnValueDisplayMs = 10'000;

const QColor kGreen(0, 128, 0);
const QColor kDarkBlue(0, 0, 192);
const QColor kRed(255, 0, 0);

// Where the face itself is missing, its metric twin keeps the layout; the
// style hint picks a sensible face where neither is installed.
QFont fontOf(
    const QString &family, const QString &metricTwin, qreal pointSize, QFont::StyleHint fallback)
{
    QFont font;
    font.setFamilies({ family, metricTwin });
    font.setStyleHint(fallback);
    font.setPointSizeF(pointSize);
    font.setWeight(QFont::Normal);
    return font;
}

QFont sansFont(qreal pointSize)
{
    return fontOf(QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Liberation Sans"),
        pointSize, QFont::SansSerif);
}

QFont codeFont()
{
    return fontOf(
        QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"), 8.25, QFont::Monospace);
}

void setTextColour(QWidget &widget, const QColor &colour)
{
    QPalette palette = widget.palette();
    palette.setColor(QPalette::WindowText, colour);
    widget.setPalette(palette);
}

// Labels on the colours of a text box, as the system scheme has them.
void useTextBoxColours(QLabel &label)
{
    label.setBackgroundRole(QPalette::Base);
    label.setForegroundRole(QPalette::Text);
    label.setAutoFillBackground(true);
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
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
        | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowIcon(QIcon(QStringLiteral(":/icons/frmMsgBoxQuillon.xpm")));
    applyFontsAndColours();
    ui.lblRückwBeschriftung->adjustSize();
    tmrRückwert.setInterval(kReturnValueDisplayMs);
    tmrRückwert.setSingleShot(true);
    connectHandlers();
    Form_Load();
}

frmMsgBoxQuillon::~frmMsgBoxQuillon() = default;

void frmMsgBoxQuillon::applyFontsAndColours()
{
    setFont(sansFont(8.25));
    ui.txtDummy->setFont(codeFont());
    ui.txtFormatiert->setFont(codeFont());
    ui.lblAbout->setFont(
        fontOf(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"), 9, QFont::SansSerif));
    ui.Label5->setFont(sansFont(9));
    ui.Label4->setFont(sansFont(9));
    ui.Label7->setFont(sansFont(14.25));

    useTextBoxColours(*ui.lblAbout);
    useTextBoxColours(*ui.lblFlags);
    setTextColour(*ui.lblRückwert, kRed);
    setTextColour(*ui.lblRückwBeschriftung, kGreen);
    setTextColour(*ui.lblZeichenAnzahl, kGreen);
    for (QLabel *guide : { ui.lblKopierenHint, ui.Label5, ui.Label4, ui.Label2 })
        setTextColour(*guide, kDarkBlue);
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

    ui.txtOriginal->installEventFilter(this);
    ui.txtOriginal->viewport()->installEventFilter(this);
    ui.txtFormatiert->viewport()->installEventFilter(this);
}

void frmMsgBoxQuillon::centreOnScreen()
{
    move(screen()->availableGeometry().center() - rect().center());
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
    centreOnScreen();
    ui.txtDummy->setVisible(false);
    ui.lblZeichenAnzahl->clear();
    LoadLastMsgText();
    HScroll1_Change();
    options = std::make_unique<frmIconsAndButtons>(*ui.lblFlags, services.messageBox);
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
        = readLastMessage(lastMessagePath(services.programFolder));
    if (!stored)
        return;
    ui.txtTitel->setText(stored->title);
    ui.txtOriginal->setPlainText(toWidgetText(stored->message));
}

// The program ends either way; a lost store is worth one line on stderr.
void frmMsgBoxQuillon::SaveLastMsgText()
{
    const LastMessage record { ui.txtTitel->text(), fromWidgetText(ui.txtOriginal->toPlainText()) };
    QString errorText;
    if (!writeLastMessage(lastMessagePath(services.programFolder), record, errorText)) {
        const QString line = QStringLiteral("msgbox-quillon: ") % errorText % QLatin1Char('\n');
        std::fputs(line.toLocal8Bit().constData(), stderr);
    }
}

// Counted as stored and formatted: a line break is CR LF, two characters.
void frmMsgBoxQuillon::txtOriginal_Change()
{
    iTextLength = fromWidgetText(ui.txtOriginal->toPlainText()).size();
    ui.lblZeichenAnzahl->setText(QString::number(iTextLength));
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
}

void frmMsgBoxQuillon::cmdFormatieren_Click()
{
    bFormatFailed = false;
    const codegen::FormatResult result = codegen::formatMessage({
        fromWidgetText(ui.txtOriginal->toPlainText()),
        ui.txtTitel->text(),
        ui.lblFlags->text(),
        styleValueOf(*ui.lblFlags),
        ui.HScroll1->value(),
    });
    switch (result.outcome) {
    case codegen::FormatOutcome::EmptyMessage:
        ui.cmdLöschen->click();
        return;
    case codegen::FormatOutcome::Refused:
        showRefusal(result);
        return;
    case codegen::FormatOutcome::Formatted:
        ui.txtDummy->setPlainText(toWidgetText(result.measuringText));
        ui.txtFormatiert->setPlainText(toWidgetText(result.code));
        sCodeTail = result.codeTail;
        returnToMessage();
        return;
    }
}

// The code box shows how far the formatting got; caret, focus and the tail
// of the last good run stay as they were.
void frmMsgBoxQuillon::showRefusal(const codegen::FormatResult &result)
{
    ui.txtDummy->setPlainText(toWidgetText(result.measuringText));
    ui.txtFormatiert->setPlainText(toWidgetText(result.code));
    services.messageBox.show(result.refusalMessage, 0);
    bFormatFailed = true;
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
    ui.cmdFormatieren->click();
    if (bFormatFailed) {
        bFormatFailed = false;
        return;
    }
    const QString prompt
        = codegen::rebuildPrompt(fromWidgetText(ui.txtFormatiert->toPlainText()), sCodeTail);
    const int buttonNumber
        = services.messageBox.show(prompt, styleValueOf(*ui.lblFlags), ui.txtTitel->text());
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

void frmMsgBoxQuillon::cmdClearText_Click()
{
    ui.txtTitel->setText(QStringLiteral("Titelleiste"));
    ui.txtOriginal->setPlainText(QStringLiteral("Original - Text"));
    ui.txtFormatiert->setPlainText(QStringLiteral("Ausgabe VB - Code"));
    ui.lblZeichenAnzahl->clear();
    tmrRückwert_Timer();
}

void frmMsgBoxQuillon::cmdLöschen_Click()
{
    ui.txtOriginal->clear();
    ui.txtFormatiert->clear();
    ui.txtDummy->clear();
    ui.txtOriginal->setFocus();
}

void frmMsgBoxQuillon::imgHelp_Click()
{
    const QString document = helpDocumentPath(services.programFolder);
    if (isHelpDocumentPresent(document))
        services.shell.openDocument(document);
    else
        services.messageBox.show(fallbackHelpText(), 0, fallbackHelpTitle());
}

void frmMsgBoxQuillon::lblAbout_Click()
{
    frmAbout about(services.shell, this);
    about.exec();
}

void frmMsgBoxQuillon::showIconsAndButtons()
{
    options->show();
    options->raise();
    options->activateWindow();
}
