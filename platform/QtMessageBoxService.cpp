#include "platform/QtMessageBoxService.h"

#include "codegen/LineBreaks.h"
#include "codegen/VbConstants.h"

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QList>
#include <QMessageBox>
#include <QPushButton>
#include <QSpacerItem>
#include <QVariant>

namespace {

using namespace codegen;

constexpr char kNumberProperty[] = "buttonNumber";

// Room beside the title for the title bar's icon and buttons, and the width
// beyond which a long title may be cut.
constexpr int kTitleBarExtras = 120;
constexpr int kWidestTitle = 640;

// Where a set has no Cancel, closing the box counts as the negative answer:
// Abort for abort/retry/ignore, No for yes/no.
int escapeAnswerOf(const QList<VbConstant> &answers)
{
    for (const VbConstant &negative : { kVbCancel, kVbNo, kVbAbort }) {
        if (answers.contains(negative))
            return negative.value;
    }
    return answers.first().value;
}

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
    const int escapeAnswer = escapeAnswerOf(answers);
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

// QMessageBox gives its text label this name; only its alignment changes.
void alignTextRight(QMessageBox &box)
{
    if (auto *text = box.findChild<QLabel *>(QStringLiteral("qt_msgbox_label")))
        text->setAlignment((text->alignment() & ~Qt::AlignHorizontal_Mask) | Qt::AlignRight);
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
    auto box = std::make_unique<QMessageBox>();
    box->setWindowTitle(title.isEmpty() ? QStringLiteral("MsgBox - Quillon") : title);
    // The user's own text: shown as typed, never read as markup.
    box->setTextFormat(Qt::PlainText);
    box->setText(codegen::toWidgetText(prompt));
    box->setIcon(iconOf(style));
    addButtons(*box, style);
    box->setWindowModality(Qt::ApplicationModal);
    if (vbConstantIn(style, VbGroup::Modality) == kVbSystemModal)
        box->setWindowFlag(Qt::WindowStaysOnTopHint);
    if (style & kVbMsgBoxRight.value)
        alignTextRight(*box);
    // Last: setting the icon lays the box out anew.
    makeRoomForTitle(*box);
    return box;
}

int buttonNumberOf(const QMessageBox &box)
{
    const QAbstractButton *button = box.clickedButton();
    if (!button)
        button = box.escapeButton();
    return button->property(kNumberProperty).toInt();
}

int QtMessageBoxService::show(const QString &prompt, qint32 style, const QString &title)
{
    const std::unique_ptr<QMessageBox> box = createStyledMessageBox(prompt, style, title);
    box->exec();
    return buttonNumberOf(*box);
}
