#include "platform/WindowSetup.h"

#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace {

// Windows has the forms' faces themselves. Where one is missing, as under
// Wine, a sans face gives way to Tahoma, which every Windows and every Wine
// has, rather than to the host's Liberation Sans, which Wine's GDI draws
// without its capital I.
#ifdef Q_OS_WIN
constexpr bool kSansStandsInForSans = true;
#else
constexpr bool kSansStandsInForSans = false;
#endif

const QString kWindowsSans = QStringLiteral("Tahoma");

} // namespace

QFont fontWithTwin(
    const QString &family, const QString &metricTwin, qreal pointSize, QFont::StyleHint fallback)
{
    QFont font;
    if (kSansStandsInForSans && fallback == QFont::SansSerif)
        font.setFamilies({ family, kWindowsSans });
    else
        font.setFamilies({ family, metricTwin });
    font.setStyleHint(fallback);
    font.setPointSizeF(pointSize);
    font.setWeight(QFont::Normal);
    return font;
}

QFont withSansStandIn(QFont font)
{
    if (kSansStandsInForSans)
        font.setFamilies({ font.families().value(0, font.family()), kWindowsSans });
    font.setStyleHint(QFont::SansSerif);
    return font;
}

QFont dialogFont(qreal pointSize)
{
    return fontWithTwin(QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Liberation Sans"),
        pointSize, QFont::SansSerif);
}

void setForeColour(QWidget &widget, const QColor &colour)
{
    QPalette palette = widget.palette();
    palette.setColor(QPalette::WindowText, colour);
    widget.setPalette(palette);
}

void useTextBoxColours(QWidget &label)
{
    label.setBackgroundRole(QPalette::Base);
    label.setForegroundRole(QPalette::Text);
    label.setAutoFillBackground(true);
}

void centreCaptionWord(QLabel &label)
{
    const QString caption = label.text();
    const QStringView word = QStringView(caption).trimmed();
    if (word.isEmpty())
        return;
    const QFontMetrics metrics = label.fontMetrics();
    const int leading = metrics.horizontalAdvance(caption.left(word.data() - caption.data()));
    const int room = label.contentsRect().width() - metrics.horizontalAdvance(word.toString());
    label.setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    label.setIndent(std::max(0, room / 2 - leading));
}

void useFixedWindowFrame(QWidget &window, Qt::WindowType kind, bool withMinimizeButton)
{
    Qt::WindowFlags flags = kind | Qt::CustomizeWindowHint | Qt::WindowTitleHint
        | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (withMinimizeButton)
        flags |= Qt::WindowMinimizeButtonHint;
    window.setWindowFlags(flags);
}

void centreOnScreen(QWidget &window, const QScreen &screen)
{
    const QRect available = screen.availableGeometry();
    QRect frame = window.frameGeometry();
    frame.moveCenter(available.center());
    frame.moveLeft(std::max(frame.left(), available.left()));
    frame.moveTop(std::max(frame.top(), available.top()));
    window.move(frame.topLeft());
}

QPoint positionBeside(const QRect &anchor, const QSize &size, const QRect &available)
{
    QPoint position(anchor.right() + 1, anchor.top());
    if (position.x() + size.width() > available.right() + 1) {
        position.setX(anchor.left() - size.width());
        if (position.x() < available.left()) {
            const bool rightIsRoomier
                = available.right() - anchor.right() >= anchor.left() - available.left();
            position.setX(rightIsRoomier ? available.right() + 1 - size.width() : available.left());
            position.setY(available.bottom() + 1 - size.height());
        }
    }
    position.setX(std::clamp(position.x(), available.left(),
        std::max(available.left(), available.right() + 1 - size.width())));
    position.setY(std::clamp(position.y(), available.top(),
        std::max(available.top(), available.bottom() + 1 - size.height())));
    return position;
}

void placeBeside(QWidget &window, const QWidget &anchor)
{
    const QSize anchorFrame = anchor.frameGeometry().size() - anchor.size();
    const QSize size
        = window.isVisible() ? window.frameGeometry().size() : window.size() + anchorFrame;
    window.move(positionBeside(anchor.frameGeometry(), size, anchor.screen()->availableGeometry()));
}

void pressFocusedButtonOnEnter(QWidget &window)
{
    for (QPushButton *button : window.findChildren<QPushButton *>())
        button->setAutoDefault(true);
}

namespace {

constexpr int kFocusFrameGap = 1;

class FocusFrameFollower final : public QObject
{
public:
    FocusFrameFollower(QWidget &control, QFrame &frame)
        : QObject(&control)
        , frame(frame)
    {
        control.installEventFilter(this);
    }

    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::FocusIn)
            frame.show();
        else if (event->type() == QEvent::FocusOut)
            frame.hide();
        return false;
    }

private:
    QFrame &frame;
};

} // namespace

void showFocusFrame(QWidget &control)
{
    auto *frame = new QFrame(control.parentWidget());
    frame->setObjectName(control.objectName() + QStringLiteral("_focus"));
    frame->setFrameShape(QFrame::Box);
    frame->setForegroundRole(QPalette::Highlight);
    frame->setAttribute(Qt::WA_TransparentForMouseEvents);
    const int margin = kFocusFrameGap + frame->lineWidth();
    frame->setGeometry(control.geometry().adjusted(-margin, -margin, margin, margin));
    frame->stackUnder(&control);
    frame->setVisible(control.hasFocus());
    new FocusFrameFollower(control, *frame);
}
