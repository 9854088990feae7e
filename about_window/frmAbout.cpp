#include "about_window/frmAbout.h"

#include "about_window/LinkHover.h"
#include "platform/ShellService.h"
#include "content/MailLink.h"
#include "widgets/Twips.h"
#include "widgets/WindowSetup.h"

#include <QCursor>
#include <QLabel>
#include <QEvent>
#include <QScreen>

namespace {

const QColor kLinkColour(0, 0, 255);
const QColor kHoverColour(255, 0, 0);
const QColor kTitleColour(0, 0, 128);
constexpr int kPollIntervalMs = 50;

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
    useFixedWindowFrame(*this, Qt::Dialog, false);
    setFixedSize(size());
    applyFontsAndColours();
    ui.Label3->setText(kMakerName);
    ui.lblSendEMail->setText(kMakerFeedbackAddress);

    Timer1.setObjectName(QStringLiteral("Timer1"));
    connect(&Timer1, &QTimer::timeout, this, &frmAbout::Timer1_Timer);
    connect(ui.lblSendEMail, &ClickableLabel::clicked, this, &frmAbout::lblSendEMail_Click);
    connect(ui.lblCloseAbout, &ClickableLabel::clicked, this, &frmAbout::lblCloseAbout_Click);
    ui.lblSendEMail->installEventFilter(this);

    Form_Load();
    centreOnScreen(*this, *(owner ? owner->screen() : screen()));
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

// Arial and Verdana may be missing; a sans-serif face stands in for them.
void frmAbout::applyFontsAndColours()
{
    setFont(withSansStandIn(font()));
    for (QLabel *label : findChildren<QLabel *>())
        label->setFont(withSansStandIn(label->font()));

    setForeColour(*ui.Label1, kTitleColour);
    useTextBoxColours(*ui.lblCloseAbout);
    centreCaptionWord(*ui.lblCloseAbout);
}

void frmAbout::Form_Load()
{
    Timer1.setInterval(kPollIntervalMs);
    setForeColour(*ui.lblSendEMail, kLinkColour);
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
    setForeColour(*oLinkLabel, kHoverColour);
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
    setForeColour(*oLinkLabel, kLinkColour);
    bLinkHover = false;
    Timer1.stop();
}

void frmAbout::lblCloseAbout_Click()
{
    close();
}
