#include "widgets/WindowSetup.h"

#include <QCheckBox>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>
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

namespace {

// The width a caption's text needs; none for pictures and wrapped text.
int captionWidthNeeded(const QWidget &caption)
{
    if (const auto *label = qobject_cast<const QLabel *>(&caption))
        return label->text().isEmpty() || label->wordWrap() ? 0 : label->sizeHint().width();
    if (qobject_cast<const QRadioButton *>(&caption) || qobject_cast<const QCheckBox *>(&caption))
        return caption.sizeHint().width();
    return 0;
}

Qt::Alignment horizontalAlignmentOf(const QWidget &caption)
{
    if (const auto *label = qobject_cast<const QLabel *>(&caption))
        return label->alignment() & Qt::AlignHorizontal_Mask;
    return Qt::AlignLeft;
}

// The caption's place grown by `growth` towards `alignment`'s free side,
// moved back into its parent where it would leave it.
QRect grownPlace(const QWidget &caption, int growth, Qt::Alignment alignment)
{
    QRect place = caption.geometry();
    if (alignment & Qt::AlignRight)
        place.setLeft(place.left() - growth);
    else if (alignment & Qt::AlignHCenter)
        place.adjust(-growth / 2, 0, growth - growth / 2, 0);
    else
        place.setRight(place.right() + growth);
    const int parentWidth = caption.parentWidget()->width();
    place.moveLeft(std::clamp(place.left(), 0, std::max(0, parentWidth - place.width())));
    return place;
}

bool coversASibling(const QWidget &caption, const QRect &place)
{
    const QList<QWidget *> siblings
        = caption.parentWidget()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    return std::any_of(siblings.cbegin(), siblings.cend(), [&](const QWidget *sibling) {
        return sibling != &caption && sibling->geometry().intersects(place)
            && !sibling->geometry().intersects(caption.geometry());
    });
}

} // namespace

void keepCaptionsWhole(QWidget &form)
{
    for (QWidget *caption : form.findChildren<QWidget *>()) {
        const int needed = captionWidthNeeded(*caption);
        if (!caption->parentWidget() || needed <= caption->width())
            continue;
        const int growth = needed - caption->width();
        const Qt::Alignment alignment = horizontalAlignmentOf(*caption);
        QRect place = grownPlace(*caption, growth, alignment);
        // A neighbour in the way sends a left-aligned caption the other way.
        if (!(alignment & (Qt::AlignRight | Qt::AlignHCenter)) && coversASibling(*caption, place)) {
            const QRect leftwards = grownPlace(*caption, growth, Qt::AlignRight);
            if (!coversASibling(*caption, leftwards))
                place = leftwards;
        }
        caption->setGeometry(place);
    }
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

namespace {

// The overlapping window low on the screen, and the anchor above it as far
// as the screen lets it be.
void placeLowBelowAnchor(PlacementBeside &placement, const QRect &anchor, const QSize &size,
    const QRect &available, int anchorKeptInView)
{
    placement.window.setY(available.bottom() + 1 - size.height());
    const int highestKeepingInView = placement.window.y() - anchorKeptInView;
    if (anchor.top() > highestKeepingInView)
        placement.anchor.setY(std::max(available.top(), highestKeepingInView));
}

} // namespace

PlacementBeside placementBeside(
    const QRect &anchor, const QSize &size, const QRect &available, int anchorKeptInView)
{
    PlacementBeside placement { QPoint(anchor.right() + 1, anchor.top()), anchor.topLeft() };
    const int rightmostLeft = available.right() + 1 - size.width();
    if (placement.window.x() > rightmostLeft) {
        placement.window.setX(anchor.left() - size.width());
        if (placement.window.x() < available.left()) {
            if (anchor.width() + size.width() <= available.width()) {
                // Side by side, the anchor moved over as little as it must.
                const int leftwards = anchor.right() + 1 - rightmostLeft;
                const int rightwards = available.left() + size.width() - anchor.left();
                const bool windowOnTheRight = leftwards <= rightwards;
                placement.anchor.setX(anchor.left() + (windowOnTheRight ? -leftwards : rightwards));
                placement.window.setX(windowOnTheRight ? rightmostLeft : available.left());
            } else {
                const bool rightIsRoomier
                    = available.right() - anchor.right() >= anchor.left() - available.left();
                placement.window.setX(rightIsRoomier ? rightmostLeft : available.left());
                placeLowBelowAnchor(placement, anchor, size, available, anchorKeptInView);
            }
        }
    }
    placement.window.setX(std::clamp(
        placement.window.x(), available.left(), std::max(available.left(), rightmostLeft)));
    placement.window.setY(std::clamp(placement.window.y(), available.top(),
        std::max(available.top(), available.bottom() + 1 - size.height())));
    return placement;
}

void placeBeside(QWidget &window, QWidget &anchor, int clientKeptInView)
{
    const QRect anchorFrame = anchor.frameGeometry();
    const QSize frameExtras = anchorFrame.size() - anchor.size();
    const QSize size
        = window.isVisible() ? window.frameGeometry().size() : window.size() + frameExtras;
    const int keptInView = anchor.geometry().top() - anchorFrame.top() + clientKeptInView;
    const PlacementBeside placement
        = placementBeside(anchorFrame, size, anchor.screen()->availableGeometry(), keptInView);
    if (placement.anchor != anchorFrame.topLeft())
        anchor.move(placement.anchor);
    window.move(placement.window);
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
