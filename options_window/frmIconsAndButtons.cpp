#include "options_window/frmIconsAndButtons.h"

#include "vb_model/VbConstants.h"
#include "platform/MessageBoxService.h"
#include "widgets/WindowSetup.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QIcon>
#include <QShowEvent>
#include <QStyle>

#include <utility>

namespace {

constexpr int kPictureSize = 32;

// The hint box shows the very buttons it speaks of.
constexpr qint32 kHintStyle
    = quillon::model::kVbSystemModal.value | quillon::model::kVbAbortRetryIgnore.value;

QString returnValueHint()
{
    const QString crlf = QStringLiteral("\r\n");
    return crlf + QStringLiteral("                Nur bei Button - Kombination ") + crlf
        + QStringLiteral("       ''Abbrechen, Wiederholen, Ignorieren''") + crlf + crlf;
}

QString toolTipOf(const quillon::model::VbConstant &constant)
{
    return QStringLiteral("%1 (%2)").arg(constant.name).arg(constant.value);
}

// `none`: the tool tip of the choice that writes no constant.
void nameConstantsOf(const QButtonGroup &group,
    const quillon::model::VbConstant *(*constantOf)(int), const QString &none)
{
    for (QAbstractButton *option : group.buttons()) {
        const quillon::model::VbConstant *constant = constantOf(group.id(option));
        option->setToolTip(constant ? toolTipOf(*constant) : none);
    }
}

} // namespace

frmIconsAndButtons::frmIconsAndButtons(MessageBoxService &messageBox)
    : messageBox(messageBox)
{
    ui.setupUi(this);
    setFont(dialogFont(8.25));
    useFixedWindowFrame(*this, Qt::Window, true);
    groupOptionArrays();
    nameConstantsInToolTips();
    showHelpSymbol();
    keepCaptionsWhole(*this);
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

// Each choice names the VB constant it stands for, so that the window also
// teaches the constants. The first choices write none, since VB's constants
// of the value 0 change nothing; there is none at all for "no icon".
void frmIconsAndButtons::nameConstantsInToolTips()
{
    using namespace quillon::model;
    nameConstantsOf(optIcon, iconConstantOf, QStringLiteral("Kein Icon (0)"));
    nameConstantsOf(optButtons, buttonSetConstantOf, toolTipOf(kVbOKOnly));
    nameConstantsOf(optDefaultButton, defaultButtonConstantOf, toolTipOf(kVbDefaultButton1));
    ui.chkOnTop->setToolTip(toolTipOf(kVbSystemModal));
    ui.chkTextRight->setToolTip(toolTipOf(kVbMsgBoxRight));
    // The answers, in the list's order from the top. "3  =  Abbrechen" is
    // vbAbort, which German Windows captions "Abbrechen" as it does vbCancel.
    for (const auto &[label, answer] : { std::pair { ui.Label1_2, kVbOK },
             std::pair { ui.Label1_0, kVbCancel }, std::pair { ui.Label1_3, kVbAbort },
             std::pair { ui.Label1_4, kVbRetry }, std::pair { ui.Label1_5, kVbIgnore },
             std::pair { ui.Label1_6, kVbYes }, std::pair { ui.Label1_1, kVbNo } })
        label->setToolTip(toolTipOf(answer));
}

// The form places each frame by its caption's top; the line runs through the
// caption's middle, as on the platform the form was drawn for. Qt's styles
// draw the caption above the line instead, a caption's height lower.
void frmIconsAndButtons::drawCaptionsOnFrameLines()
{
    const int captionMiddle = fontMetrics().height() / 2;
    setStyleSheet(QStringLiteral("QGroupBox { border: 2px groove palette(mid); margin-top: %1px; }"
                                 "QGroupBox::title { subcontrol-origin: margin; left: 6px;"
                                 " background-color: palette(window); }")
                      .arg(captionMiddle));
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
    emit choicesChanged(choices());
}

quillon::model::StyleChoices frmIconsAndButtons::choices() const
{
    return { optIcon.checkedId(), optButtons.checkedId(), optDefaultButton.checkedId(),
        ui.chkOnTop->isChecked(), ui.chkTextRight->isChecked() };
}

// An index the window does not have leaves that array as it is.
void frmIconsAndButtons::setChoices(const quillon::model::StyleChoices &choices)
{
    for (const auto &[group, id] : { std::pair { &optIcon, choices.icon },
             std::pair { &optButtons, choices.buttons },
             std::pair { &optDefaultButton, choices.defaultButton } }) {
        if (QAbstractButton *option = group->button(id))
            option->setChecked(true);
    }
    ui.chkOnTop->setChecked(choices.systemModal);
    ui.chkTextRight->setChecked(choices.textRight);
    CheckValues();
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

// The window loads hidden at start. Looking the pictures up in the icon
// theme and styling the frames would delay the main window's first showing.
void frmIconsAndButtons::showEvent(QShowEvent *event)
{
    if (ui.Image1->pixmap().isNull()) {
        drawCaptionsOnFrameLines();
        showIconPictures();
    }
    QWidget::showEvent(event);
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
