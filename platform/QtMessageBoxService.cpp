#include "platform/QtMessageBoxService.h"

#include "codegen/LineBreaks.h"
#include "codegen/VbConstants.h"
#include "platform/WindowSetup.h"

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QList>
#include <QMessageBox>
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

using namespace codegen;

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
    int heightForWidth(int width) const override
    {
        return static_cast<int>(std::ceil(laidOut(width).height()));
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

// QMessageBox sizes itself for its label and cuts off what does not fit the
// screen; this box sizes itself for its prompt and stays within the screen.
class FittingMessageBox final : public QMessageBox
{
public:
    bool event(QEvent *event) override
    {
        const bool done = QMessageBox::event(event);
        if (event->type() == QEvent::LayoutRequest && isVisible())
            fitToScreen();
        return done;
    }

protected:
    void showEvent(QShowEvent *event) override
    {
        if (auto *prompt = findChild<PromptView *>())
            prompt->setWidestText(roomOnScreen().width() * kWidestTextPercent / 100);
        QMessageBox::showEvent(event);
        fitToScreen();
        centreOnScreen(*this, *screen());
    }

private:
    QSize roomOnScreen() const { return screen()->availableGeometry().size() - kFrameAllowance; }

    // No layout invalidation here: it would ask for the next layout request.
    void fitToScreen()
    {
        const QSize room = roomOnScreen();
        const int width = std::min(layout()->totalMinimumSize().width(), room.width());
        const QSize fitting(width, std::min(layout()->totalHeightForWidth(width), room.height()));
        if (size() != fitting)
            setFixedSize(fitting);
    }
};

QString captionOf(int answer)
{
    switch (answer) {
    case kVbCancel.value:
    case kVbAbort.value:
        return QStringLiteral("Abbrechen");
    case kVbRetry.value:
        return QStringLiteral("Wiederholen");
    case kVbIgnore.value:
        return QStringLiteral("Ignorieren");
    case kVbYes.value:
        return QStringLiteral("Ja");
    case kVbNo.value:
        return QStringLiteral("Nein");
    default:
        return QStringLiteral("OK");
    }
}

QMessageBox::Icon iconOf(qint32 style)
{
    const std::optional<VbConstant> icon = vbConstantIn(style, VbGroup::Icon);
    if (icon == kVbCritical)
        return QMessageBox::Critical;
    if (icon == kVbQuestion)
        return QMessageBox::Question;
    if (icon == kVbExclamation)
        return QMessageBox::Warning;
    if (icon == kVbInformation)
        return QMessageBox::Information;
    return QMessageBox::NoIcon;
}

// A default button beyond the set falls back to the first button.
qsizetype defaultButtonIndexOf(qint32 style, qsizetype buttonCount)
{
    const qsizetype index = (style & kDefaultButtonMask) / kVbDefaultButton2.value;
    return index < buttonCount ? index : 0;
}

void addButtons(QMessageBox &box, qint32 style)
{
    const QList<VbConstant> answers = answersOf(style);
    const std::optional<int> escapeAnswer = escapeAnswerOf(answers);
    const qsizetype defaultIndex = defaultButtonIndexOf(style, answers.size());
    for (qsizetype i = 0; i < answers.size(); ++i) {
        const int number = answers.at(i).value;
        // One role for all keeps them in the order added, whatever order the
        // platform's button layout gives the standard roles.
        QPushButton *button = box.addButton(captionOf(number), QMessageBox::ActionRole);
        button->setProperty(kNumberProperty, number);
        if (i == defaultIndex)
            box.setDefaultButton(button);
        if (number == escapeAnswer)
            box.setEscapeButton(button);
    }
    // Action buttons line up at one side of the row; the box of the user's
    // program shows its buttons centred.
    if (auto *row = box.findChild<QDialogButtonBox *>())
        row->setCenterButtons(true);
}

// QMessageBox gives its text label this name. The label stays the box's
// text for copying; the prompt view takes its place on the screen.
void showPromptWhole(QMessageBox &box, qint32 style)
{
    auto *label = box.findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
    if (!label || !box.layout())
        return;
    auto *prompt = new PromptView(label->text());
    QPalette colours = prompt->palette();
    colours.setBrush(QPalette::Base, colours.window());
    colours.setBrush(QPalette::Text, colours.windowText());
    prompt->setPalette(colours);
    if (style & kVbMsgBoxRight.value) {
        QTextOption option = prompt->document()->defaultTextOption();
        option.setAlignment(Qt::AlignRight);
        prompt->document()->setDefaultTextOption(option);
    }
    delete box.layout()->replaceWidget(label, prompt);
    label->hide();
}

// Windows widens a message box until its title shows whole. The title bar's
// font belongs to the window manager, so the box's own font is the estimate.
void makeRoomForTitle(QMessageBox &box)
{
    auto *grid = qobject_cast<QGridLayout *>(box.layout());
    if (!grid)
        return;
    const int titleWidth = box.fontMetrics().horizontalAdvance(box.windowTitle()) + kTitleBarExtras;
    grid->addItem(new QSpacerItem(qMin(titleWidth, kWidestTitle), 0, QSizePolicy::Fixed),
        grid->rowCount(), 0, 1, grid->columnCount());
}

} // namespace

std::unique_ptr<QMessageBox> createStyledMessageBox(
    const QString &prompt, qint32 style, const QString &title)
{
    auto box = std::make_unique<FittingMessageBox>();
    box->setWindowTitle(title.isEmpty() ? QStringLiteral("MsgBox - Quillon") : title);
    // The user's own text: shown as typed, never read as markup.
    box->setTextFormat(Qt::PlainText);
    box->setText(codegen::toWidgetText(prompt));
    box->setIcon(iconOf(style));
    addButtons(*box, style);
    box->setWindowModality(Qt::ApplicationModal);
    if (vbConstantIn(style, VbGroup::Modality) == kVbSystemModal)
        box->setWindowFlag(Qt::WindowStaysOnTopHint);
    // Last: setting the icon lays the box out anew.
    showPromptWhole(*box, style);
    makeRoomForTitle(*box);
    return box;
}

int buttonNumberOf(const QMessageBox &box)
{
    const QAbstractButton *button = box.clickedButton();
    if (!button)
        button = box.escapeButton();
    if (!button)
        button = box.defaultButton();
    return button->property(kNumberProperty).toInt();
}

int QtMessageBoxService::show(const QString &prompt, qint32 style, const QString &title)
{
    const std::unique_ptr<QMessageBox> box = createStyledMessageBox(prompt, style, title);
    box->exec();
    return buttonNumberOf(*box);
}
