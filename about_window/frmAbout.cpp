#include "about_window/frmAbout.h"

#include "about_window/LinkHover.h"
#include "about_window/MailLink.h"
#include "platform/ShellService.h"
#include "platform/Twips.h"

#include <QCoreApplication>
#include <QCursor>
#include <QEvent>
#include <QFileInfo>
#include <QPalette>
#include <QScreen>

namespace {

const QColor linkColour(0, 0, 255);
const QColor hoverColour(255, 0, 0);
const QColor titleColour(0, 0, 128);
constexpr int pollIntervalMs = 50;

void setForeColor(QLabel &label, const QColor &colour)
{
    QPalette palette = label.palette();
    palette.setColor(QPalette::WindowText, colour);
    label.setPalette(palette);
}

TwipsRect twipsGeometry(const QWidget &control)
{
    return { pixelsToTwips(control.x()), pixelsToTwips(control.y()), pixelsToTwips(control.width()),
        pixelsToTwips(control.height()) };
}

} // namespace

frmAbout::frmAbout(ShellService &shell, QWidget *owner)
    : QDialog(owner)
    , shell(shell)
    , pointerPosition([] { return QCursor::pos(); })
{
    ui.setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
        | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFixedSize(size());
    applyFontsAndColours();
    ui.Label3->setText(makerName);
    ui.lblSendEMail->setText(makerFeedbackAddress);

    Timer1.setObjectName(QStringLiteral("Timer1"));
    connect(&Timer1, &QTimer::timeout, this, &frmAbout::Timer1_Timer);
    connect(ui.lblSendEMail, &ClickableLabel::clicked, this, &frmAbout::lblSendEMail_Click);
    connect(ui.lblCloseAbout, &ClickableLabel::clicked, this, &frmAbout::lblCloseAbout_Click);
    ui.lblSendEMail->installEventFilter(this);

    Form_Load();
    centreOnScreen();
}

void frmAbout::setPointerPositionSource(std::function<QPoint()> source)
{
    pointerPosition = std::move(source);
}

bool frmAbout::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ui.lblSendEMail && event->type() == QEvent::MouseMove)
        lblSendEMail_MouseMove();
    return QDialog::eventFilter(watched, event);
}

// Arial and Verdana may be missing; any sans-serif face stands in for them.
void frmAbout::applyFontsAndColours()
{
    QFont windowFont = font();
    windowFont.setStyleHint(QFont::SansSerif);
    setFont(windowFont);

    setForeColor(*ui.Label1, titleColour);
    ui.lblCloseAbout->setBackgroundRole(QPalette::Base);
    ui.lblCloseAbout->setForegroundRole(QPalette::Text);
}

void frmAbout::centreOnScreen()
{
    const QScreen *screen = parentWidget() ? parentWidget()->screen() : this->screen();
    QRect frame = rect();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
}

void frmAbout::Form_Load()
{
    Timer1.setInterval(pollIntervalMs);
    setForeColor(*ui.lblSendEMail, linkColour);
    if (windowTitle().isEmpty())
        setWindowTitle(QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName());
}

void frmAbout::lblSendEMail_Click()
{
    shell.openMailLink(feedbackMailLink(windowTitle()));
}

void frmAbout::lblSendEMail_MouseMove()
{
    if (bLinkHover)
        return;
    oLinkLabel = ui.lblSendEMail;
    setForeColor(*oLinkLabel, hoverColour);
    bLinkHover = true;
    Timer1.start();
}

// Polled rather than left to a leave event, so the colour also goes back when
// the pointer leaves the link and the window in one quick move.
void frmAbout::Timer1_Timer()
{
    if (!bLinkHover)
        return;
    const QPoint clientOrigin = mapToGlobal(QPoint(0, 0));
    const ScreenBounds bounds
        = linkBoundsOnScreen(clientOrigin, kTwipsPerPixel, twipsGeometry(*oLinkLabel));
    if (isInside(bounds, pointerPosition()))
        return;
    setForeColor(*oLinkLabel, linkColour);
    bLinkHover = false;
    Timer1.stop();
}

void frmAbout::lblCloseAbout_Click()
{
    close();
}
