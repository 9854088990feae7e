#include "platform/QtMessageBoxService.h"

#include "codegen/LineBreaks.h"

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

enum ButtonNumber { OK = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7 };

constexpr qint32 kButtonSetBits = 0x7;
constexpr qint32 kIconBits = 0x70;
constexpr qint32 kDefaultButtonBits = 0x300;
constexpr int kDefaultButtonShift = 8;
constexpr qint32 kSystemModal = 0x1000;
constexpr qint32 kTextRight = 0x80000;

constexpr char kNumberProperty[] = "buttonNumber";

// Room beside the title for the title bar's icon and buttons, and the width
// beyond which a long title may be cut.
constexpr int kTitleBarExtras = 120;
constexpr int kWidestTitle = 640;

struct ButtonSet
{
    QList<int> buttons; // left to right
    int escapeButton; // the answer to Escape and to the close button
};

// Where a set has no Cancel, closing the box counts as the negative answer:
// Abort for abort/retry/ignore, No for yes/no.
ButtonSet buttonSetOf(qint32 style)
{
    switch (style & kButtonSetBits) {
    case 1:
        return { { OK, Cancel }, Cancel };
    case 2:
        return { { Abort, Retry, Ignore }, Abort };
    case 3:
        return { { Yes, No, Cancel }, Cancel };
    case 4:
        return { { Yes, No }, No };
    case 5:
        return { { Retry, Cancel }, Cancel };
    default:
        return { { OK }, OK };
    }
}

QString captionOf(int buttonNumber)
{
    switch (buttonNumber) {
    case Cancel:
    case Abort:
        return QStringLiteral("Abbrechen");
    case Retry:
        return QStringLiteral("Wiederholen");
    case Ignore:
        return QStringLiteral("Ignorieren");
    case Yes:
        return QStringLiteral("Ja");
    case No:
        return QStringLiteral("Nein");
    default:
        return QStringLiteral("OK");
    }
}

QMessageBox::Icon iconOf(qint32 style)
{
    switch (style & kIconBits) {
    case 16:
        return QMessageBox::Critical;
    case 32:
        return QMessageBox::Question;
    case 48:
        return QMessageBox::Warning;
    case 64:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

// A default button beyond the set falls back to the first button.
int defaultButtonIndexOf(qint32 style, qsizetype buttonCount)
{
    const int index = (style & kDefaultButtonBits) >> kDefaultButtonShift;
    return index < buttonCount ? index : 0;
}

void addButtons(QMessageBox &box, qint32 style)
{
    const ButtonSet set = buttonSetOf(style);
    const int defaultIndex = defaultButtonIndexOf(style, set.buttons.size());
    for (qsizetype i = 0; i < set.buttons.size(); ++i) {
        const int number = set.buttons.at(i);
        // One role for all keeps them in the order added, whatever order the
        // platform's button layout gives the standard roles.
        QPushButton *button = box.addButton(captionOf(number), QMessageBox::ActionRole);
        button->setProperty(kNumberProperty, number);
        if (i == defaultIndex)
            box.setDefaultButton(button);
        if (number == set.escapeButton)
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
    box->setText(toWidgetText(prompt));
    box->setIcon(iconOf(style));
    addButtons(*box, style);
    box->setWindowModality(Qt::ApplicationModal);
    if (style & kSystemModal)
        box->setWindowFlag(Qt::WindowStaysOnTopHint);
    if (style & kTextRight)
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
