#include "widgets/ClickableLabel.h"

#include "widgets/Pictures.h"

#include <QCursor>
#include <QEvent>
#include <QMouseEvent>
#include <QPixmap>

namespace {
constexpr int kHandHotSpotX = 8;
constexpr int kHandHotSpotY = 3;
} // namespace

ClickableLabel::ClickableLabel(QWidget *parent)
    : QLabel(parent)
{
    setCursor(handCursor());
}

// An accessible name given by hand stays; one taken from the tool tip
// follows it.
bool ClickableLabel::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTipChange
        && (accessibleName().isEmpty() || accessibleName() == nameFromToolTip)) {
        nameFromToolTip = toolTip();
        setAccessibleName(nameFromToolTip);
    }
    return QLabel::event(event);
}

// Taking the press makes the release come here too, instead of the parent.
void ClickableLabel::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        event->accept();
    else
        QLabel::mousePressEvent(event);
}

// A press that the user drags off the label before letting go is no click.
void ClickableLabel::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QLabel::mouseReleaseEvent(event);
        return;
    }
    event->accept();
    if (rect().contains(event->position().toPoint()))
        emit clicked();
}

QCursor handCursor()
{
    return QCursor(handPicture(), kHandHotSpotX, kHandHotSpotY);
}
