#include "widgets/StyledMessageBox.h"

#include "vb_model/LineBreaks.h"
#include "vb_model/VbConstants.h"
#include "widgets/WindowSetup.h"

#include <QAccessible>
#include <QClipboard>
#include <QCloseEvent>
#include <QEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QList>
#include <QPushButton>
#include <QScreen>
#include <QSpacerItem>
#include <QTextDocument>
#include <QTextEdit>
#include <QVariant>

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

using namespace quillon::model;

constexpr char kNumberProperty[] = "buttonNumber";

// Room beside the title for the title bar's icon and buttons, and the width
// beyond which a long title may be cut.
constexpr int kTitleBarExtras = 120;
constexpr int kWidestTitle = 640;

// The window manager's frame is not known before the box is shown: room for
// a title bar and borders.
constexpr QSize kFrameAllowance(16, 48);

// A line wider than this share of the screen wraps, breaking a word that is
// wider by itself.
constexpr int kWidestTextPercent = 75;

// As with the box of the user's program: Escape and the close button answer
// Cancel, or OK where OK stands alone. Yes/No and Abort/Retry/Ignore can only
// be answered with a button.
std::optional<int> escapeAnswerOf(const QList<VbConstant> &answers)
{
    if (answers.contains(kVbCancel))
        return kVbCancel.value;
    if (answers.size() == 1)
        return answers.first().value;
    return std::nullopt;
}

} // namespace

namespace message_box_detail {

// The prompt, whole: a line wider than the text may be breaks anywhere, and
// a prompt taller than the box may be scrolls.
class PromptView final : public QTextEdit
{
public:
    explicit PromptView(const QString &text)
    {
        setObjectName(QStringLiteral("prompt"));
        setReadOnly(true);
        setFocusPolicy(Qt::NoFocus);
        setFrameShape(QFrame::NoFrame);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        document()->setDocumentMargin(0);
        setPlainText(text);
        measure.setDocumentMargin(0);
        measure.setPlainText(text);
        QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
        policy.setHeightForWidth(true);
        setSizePolicy(policy);
    }

    void setWidestText(int width)
    {
        widestText = width;
        updateGeometry();
    }

    QSize minimumSizeHint() const override
    {
        const int naturalWidth = static_cast<int>(std::ceil(laidOut(-1).width())) + 1;
        return { std::min(naturalWidth, widestText), fontMetrics().lineSpacing() };
    }
    QSize sizeHint() const override
    {
        const int width = minimumSizeHint().width();
        return { width, heightForWidth(width) };
    }
    bool hasHeightForWidth() const override { return true; }
    // A pixel to spare: on a scaled screen the box is rounded to whole
    // device pixels and may come out a pixel lower than it asked for, which
    // would cost the prompt a scroll bar.
    int heightForWidth(int width) const override
    {
        return static_cast<int>(std::ceil(laidOut(width).height())) + 1;
    }

private:
    // Measured on a copy: laying out the shown document anew would make
    // the view lay itself out and ask for sizes again. -1: unwrapped.
    QSizeF laidOut(qreal width) const
    {
        measure.setDefaultFont(document()->defaultFont());
        measure.setDefaultTextOption(document()->defaultTextOption());
        measure.setTextWidth(width);
        return { measure.idealWidth(), measure.size().height() };
    }

    mutable QTextDocument measure;
    int widestText = QWIDGETSIZE_MAX;
};

} // namespace message_box_detail

namespace {

using message_box_detail::PromptView;

// As Windows' German box has them: an access key on every button but OK
// and Cancel, which Return and Escape answer.
QString captionOf(int answer)
{
    switch (answer) {
    case kVbCancel.value:
        return QStringLiteral("Abbrechen");
    case kVbAbort.value:
        return QStringLiteral("&Abbrechen");
    case kVbRetry.value:
        return QStringLiteral("&Wiederholen");
    case kVbIgnore.value:
        return QStringLiteral("&Ignorieren");
    case kVbYes.value:
        return QStringLiteral("&Ja");
    case kVbNo.value:
        return QStringLiteral("&Nein");
    default:
        return QStringLiteral("OK");
    }
}

// Windows' box takes a button's letter alone, as well as with Alt.
bool isAccessKeyPress(const QKeyEvent &event, const QPushButton &button)
{
    const QKeySequence mnemonic = QKeySequence::mnemonic(button.text());
    const Qt::KeyboardModifiers allowed = Qt::ShiftModifier | Qt::AltModifier;
    return !mnemonic.isEmpty() && mnemonic[0].key() == event.key()
        && (event.modifiers() & ~allowed) == Qt::NoModifier;
}

std::optional<QStyle::StandardPixmap> iconOf(qint32 style)
{
    const std::optional<VbConstant> icon = vbConstantIn(style, VbGroup::Icon);
    if (icon == kVbCritical)
        return QStyle::SP_MessageBoxCritical;
    if (icon == kVbQuestion)
        return QStyle::SP_MessageBoxQuestion;
    if (icon == kVbExclamation)
        return QStyle::SP_MessageBoxWarning;
    if (icon == kVbInformation)
        return QStyle::SP_MessageBoxInformation;
    return std::nullopt;
}

// A default button beyond the set falls back to the first button.
qsizetype defaultButtonIndexOf(qint32 style, qsizetype buttonCount)
{
    const qsizetype index = (style & kDefaultButtonMask) / kVbDefaultButton2.value;
    return index < buttonCount ? index : 0;
}

PromptView *createPromptView(const QString &text, qint32 style)
{
    auto *prompt = new PromptView(text);
    QPalette colours = prompt->palette();
    colours.setBrush(QPalette::Base, colours.window());
    colours.setBrush(QPalette::Text, colours.windowText());
    prompt->setPalette(colours);
    if (style & kVbMsgBoxRight.value) {
        QTextOption option = prompt->document()->defaultTextOption();
        option.setAlignment(Qt::AlignRight);
        prompt->document()->setDefaultTextOption(option);
    }
    return prompt;
}

} // namespace

QString messageBoxAsText(const QString &title, const QString &prompt, const QStringList &captions)
{
    const QString lineBreak = QStringLiteral("\r\n");
    const QString rule = QString(27, QLatin1Char('-')) + lineBreak;
    QString buttonRow;
    for (const QString &caption : captions)
        buttonRow += caption + QStringLiteral("   ");
    return rule + title + lineBreak + rule + prompt + lineBreak + rule + buttonRow + lineBreak
        + rule;
}

StyledMessageBox::StyledMessageBox(const QString &prompt, qint32 vbStyle, const QString &title)
    : icon(iconOf(vbStyle))
    , promptText(quillon::model::toWidgetText(prompt))
{
    setWindowTitle(title.isEmpty() ? QStringLiteral("MsgBox - Quillon") : title);
    // The box of the user's program has a close button but no minimize or
    // maximize button, and Windows draws the close button even where it
    // cannot close the box.
    useFixedWindowFrame(*this, Qt::Dialog, false);
    setWindowModality(Qt::ApplicationModal);
    if (vbConstantIn(vbStyle, VbGroup::Modality) == kVbSystemModal)
        setWindowFlag(Qt::WindowStaysOnTopHint);

    auto *grid = new QGridLayout(this);
    grid->setSizeConstraint(QLayout::SetNoConstraint);
    if (icon) {
        auto *picture = new QLabel(this);
        picture->setObjectName(QStringLiteral("icon"));
        const int size = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
        picture->setPixmap(style()->standardIcon(*icon, nullptr, this).pixmap(size, size));
        picture->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
        grid->addWidget(picture, 0, 0);
    }
    promptView = createPromptView(promptText, vbStyle);
    grid->addWidget(promptView, 0, 1);
    grid->setColumnStretch(1, 1);
    grid->addLayout(createButtonRow(vbStyle), 1, 0, 1, 2);
    makeRoomForTitle(*grid);
}

void StyledMessageBox::makeRoomForTitle(QGridLayout &grid)
{
    // Windows widens a message box until its title shows whole. The title
    // bar's font belongs to the window manager, so the box's own font is the
    // estimate.
    const int titleWidth = fontMetrics().horizontalAdvance(windowTitle()) + kTitleBarExtras;
    grid.addItem(new QSpacerItem(qMin(titleWidth, kWidestTitle), 0, QSizePolicy::Fixed),
        grid.rowCount(), 0, 1, grid.columnCount());
}

QHBoxLayout *StyledMessageBox::createButtonRow(qint32 vbStyle)
{
    const QList<VbConstant> answers = answersOf(vbStyle);
    escapeAnswer = escapeAnswerOf(answers);
    const qsizetype defaultIndex = defaultButtonIndexOf(vbStyle, answers.size());
    // Centred, in the order of the set, as the box of the user's program.
    auto *row = new QHBoxLayout;
    row->addStretch();
    for (qsizetype i = 0; i < answers.size(); ++i) {
        const int number = answers.at(i).value;
        auto *button = new QPushButton(captionOf(number), this);
        button->setProperty(kNumberProperty, number);
        button->setAutoDefault(true);
        connect(button, &QPushButton::clicked, this, [this, button] { finishWith(button); });
        row->addWidget(button);
        buttonsInOrder.append(button);
        if (i == defaultIndex) {
            button->setDefault(true);
            defaultAnswer = button;
        }
    }
    row->addStretch();
    return row;
}

void StyledMessageBox::finishWith(QPushButton *button)
{
    clicked = button;
    done(button->property(kNumberProperty).toInt());
}

QPushButton *StyledMessageBox::escapeButton() const
{
    for (QPushButton *button : buttonsInOrder)
        if (escapeAnswer == button->property(kNumberProperty).toInt())
            return button;
    return nullptr;
}

int StyledMessageBox::answer() const
{
    const QPushButton *button = clicked ? clicked : escapeButton();
    if (!button)
        button = defaultAnswer;
    return button->property(kNumberProperty).toInt();
}

void StyledMessageBox::copyToClipboard() const
{
    QStringList captions;
    for (const QPushButton *button : buttonsInOrder)
        captions.append(QString(button->text()).remove(u'&'));
    QGuiApplication::clipboard()->setText(
        messageBoxAsText(windowTitle(), quillon::model::fromWidgetText(promptText), captions));
}

void StyledMessageBox::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Cancel)) {
        if (QPushButton *escape = escapeButton())
            finishWith(escape);
        return;
    }
    if (event->matches(QKeySequence::Copy)) {
        copyToClipboard();
        return;
    }
    for (QPushButton *button : std::as_const(buttonsInOrder)) {
        if (isAccessKeyPress(*event, *button)) {
            finishWith(button);
            return;
        }
    }
    QDialog::keyPressEvent(event);
}

void StyledMessageBox::closeEvent(QCloseEvent *event)
{
    QPushButton *escape = escapeButton();
    if (!escape) {
        event->ignore();
        return;
    }
    clicked = escape;
    QDialog::closeEvent(event);
}

bool StyledMessageBox::event(QEvent *event)
{
    const bool done = QDialog::event(event);
    if (event->type() == QEvent::LayoutRequest && isVisible())
        fitToScreen();
    return done;
}

void StyledMessageBox::showEvent(QShowEvent *event)
{
    promptView->setWidestText(roomOnScreen().width() * kWidestTextPercent / 100);
    QDialog::showEvent(event);
    fitToScreen();
    centreOnScreen(*this, *screen());
    if (defaultAnswer)
        defaultAnswer->setFocus();
    QAccessibleEvent shown(this, QAccessible::Alert);
    QAccessible::updateAccessibility(&shown);
}

QSize StyledMessageBox::roomOnScreen() const
{
    return screen()->availableGeometry().size() - kFrameAllowance;
}

// No layout invalidation here: it would ask for the next layout request.
// The prompt scrolls only where the screen is full. A scroll bar shown in
// passing, while the box still grows to its size, would stay otherwise: it
// narrows the prompt, whose lines then break once more and fill the room.
void StyledMessageBox::fitToScreen()
{
    const QSize room = roomOnScreen();
    const int width = std::min(layout()->totalMinimumSize().width(), room.width());
    const int wantedHeight = layout()->totalHeightForWidth(width);
    promptView->setVerticalScrollBarPolicy(
        wantedHeight > room.height() ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    const QSize fitting(width, std::min(wantedHeight, room.height()));
    if (size() != fitting)
        setFixedSize(fitting);
}
