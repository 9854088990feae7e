#include "options_window/frmIconsAndButtons.h"

#include "options_window/FlagsLabel.h"
#include "platform/MessageBoxService.h"

#include <QCloseEvent>
#include <QFont>
#include <QFontDatabase>
#include <QIcon>
#include <QStyle>

namespace {

constexpr int kPictureSize = 32;

// The form's measures suit the classic 8.25 pt dialog face; where it is
// missing its metric twin keeps every caption within its control.
QFont formFont()
{
    QFont font;
    font.setFamilies({ QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Liberation Sans") });
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(8.25);
    return font;
}

// vbSystemModal + vbAbortRetryIgnore: the hint box shows the very buttons it
// speaks of.
constexpr qint32 kHintStyle = 4096 + 2;

QString returnValueHint()
{
    const QString crlf = QStringLiteral("\r\n");
    return crlf + QStringLiteral("                Nur bei Button - Kombination ") + crlf
        + QStringLiteral("       ''Abbrechen, Wiederholen, Ignorieren''") + crlf + crlf;
}

} // namespace

frmIconsAndButtons::frmIconsAndButtons(QLabel &lblFlags, MessageBoxService &messageBox)
    : lblFlags(lblFlags)
    , messageBox(messageBox)
{
    ui.setupUi(this);
    setFont(formFont());
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
        | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    groupOptionArrays();
    showIconPictures();
    showHelpSymbol();
    connectHandlers();
    CheckValues();
}

void frmIconsAndButtons::groupOptionArrays()
{
    const QList<QRadioButton *> icons { ui.optIcon_0, ui.optIcon_1, ui.optIcon_2, ui.optIcon_3,
        ui.optIcon_4 };
    for (int i = 0; i < icons.size(); ++i)
        optIcon.addButton(icons.at(i), i);

    const QList<QRadioButton *> buttonSets { ui.optButtons_0, ui.optButtons_1, ui.optButtons_2,
        ui.optButtons_3, ui.optButtons_4, ui.optButtons_5 };
    for (int i = 0; i < buttonSets.size(); ++i)
        optButtons.addButton(buttonSets.at(i), i);

    optDefaultButton.addButton(ui.optDefaultButton_1, 1);
    optDefaultButton.addButton(ui.optDefaultButton_2, 2);
    optDefaultButton.addButton(ui.optDefaultButton_3, 3);
}

void frmIconsAndButtons::showIconPictures()
{
    const auto standardPicture = [this](QStyle::StandardPixmap picture) {
        return style()->standardIcon(picture, nullptr, this).pixmap(kPictureSize);
    };
    ui.Image1->setPixmap(standardPicture(QStyle::SP_MessageBoxQuestion));
    ui.Image2->setPixmap(standardPicture(QStyle::SP_MessageBoxInformation));
    ui.Image3->setPixmap(standardPicture(QStyle::SP_MessageBoxWarning));
    ui.Image4->setPixmap(standardPicture(QStyle::SP_MessageBoxCritical));
}

// Marlett draws "s" as the help symbol. Without Marlett the form's plain
// question mark stays.
void frmIconsAndButtons::showHelpSymbol()
{
    const QString marlett = QStringLiteral("Marlett");
    if (!QFontDatabase::hasFamily(marlett))
        return;
    ui.Label2->setFont(QFont(marlett, 9, QFont::Medium));
    ui.Label2->setText(QStringLiteral("s"));
}

void frmIconsAndButtons::connectHandlers()
{
    connect(&optIcon, &QButtonGroup::idClicked, this, &frmIconsAndButtons::CheckValues);
    connect(&optButtons, &QButtonGroup::idClicked, this, &frmIconsAndButtons::CheckValues);
    connect(&optDefaultButton, &QButtonGroup::idClicked, this, &frmIconsAndButtons::CheckValues);
    connect(ui.chkOnTop, &QCheckBox::clicked, this, &frmIconsAndButtons::CheckValues);
    connect(ui.chkTextRight, &QCheckBox::clicked, this, &frmIconsAndButtons::CheckValues);
    connect(ui.Label2, &ClickableLabel::clicked, this, &frmIconsAndButtons::Label2_Click);
}

void frmIconsAndButtons::CheckValues()
{
    writeFlagsLabel(lblFlags, computeStyleFlags(currentChoices()));
}

StyleChoices frmIconsAndButtons::currentChoices() const
{
    return { optIcon.checkedId(), optButtons.checkedId(), optDefaultButton.checkedId(),
        ui.chkOnTop->isChecked(), ui.chkTextRight->isChecked() };
}

// The answer does not matter: the box only explains the value 3.
void frmIconsAndButtons::Label2_Click()
{
    messageBox.show(returnValueHint(), kHintStyle, QStringLiteral("  Rückgabe  ''Abbrechen''"));
}

void frmIconsAndButtons::unload()
{
    bUnloading = true;
    close();
}

// The user's close only hides the window, so that its choices last until the
// main window unloads it.
void frmIconsAndButtons::closeEvent(QCloseEvent *event)
{
    if (bUnloading) {
        QWidget::closeEvent(event);
        return;
    }
    event->ignore();
    hide();
}
