#pragma once

#include <QList>
#include <QStringView>
#include <QtGlobal>

#include <array>
#include <optional>

namespace quillon::model {

// The parts of a VB MsgBox buttons value; a value holds at most one constant
// of each group but Option, whose constants are single bits.
enum class VbGroup {
    ButtonSet,
    Icon,
    DefaultButton,
    Modality,
    Option,
    Answer, // what MsgBox returns
};

// One of VB's MsgBox constants. `inOptionsWindow` is false for those a VB
// program may write but the options window cannot choose.
struct VbConstant
{
    QStringView name;
    qint32 value;
    VbGroup group;
    bool inOptionsWindow = true;

    friend constexpr bool operator==(const VbConstant &a, const VbConstant &b)
    {
        return a.group == b.group && a.value == b.value;
    }
};

inline constexpr VbConstant kVbOKOnly { u"vbOKOnly", 0, VbGroup::ButtonSet };
inline constexpr VbConstant kVbOKCancel { u"vbOKCancel", 1, VbGroup::ButtonSet };
inline constexpr VbConstant kVbAbortRetryIgnore { u"vbAbortRetryIgnore", 2, VbGroup::ButtonSet };
inline constexpr VbConstant kVbYesNoCancel { u"vbYesNoCancel", 3, VbGroup::ButtonSet };
inline constexpr VbConstant kVbYesNo { u"vbYesNo", 4, VbGroup::ButtonSet };
inline constexpr VbConstant kVbRetryCancel { u"vbRetryCancel", 5, VbGroup::ButtonSet };

inline constexpr VbConstant kVbCritical { u"vbCritical", 16, VbGroup::Icon };
inline constexpr VbConstant kVbQuestion { u"vbQuestion", 32, VbGroup::Icon };
inline constexpr VbConstant kVbExclamation { u"vbExclamation", 48, VbGroup::Icon };
inline constexpr VbConstant kVbInformation { u"vbInformation", 64, VbGroup::Icon };

inline constexpr VbConstant kVbDefaultButton1 { u"vbDefaultButton1", 0, VbGroup::DefaultButton };
inline constexpr VbConstant kVbDefaultButton2 { u"vbDefaultButton2", 256, VbGroup::DefaultButton };
inline constexpr VbConstant kVbDefaultButton3 { u"vbDefaultButton3", 512, VbGroup::DefaultButton };
inline constexpr VbConstant kVbDefaultButton4 { u"vbDefaultButton4", 768, VbGroup::DefaultButton,
    false };

inline constexpr VbConstant kVbApplicationModal { u"vbApplicationModal", 0, VbGroup::Modality };
inline constexpr VbConstant kVbSystemModal { u"vbSystemModal", 4096, VbGroup::Modality };

inline constexpr VbConstant kVbMsgBoxHelpButton { u"vbMsgBoxHelpButton", 16384, VbGroup::Option,
    false };
inline constexpr VbConstant kVbMsgBoxSetForeground { u"vbMsgBoxSetForeground", 65536,
    VbGroup::Option, false };
inline constexpr VbConstant kVbMsgBoxRight { u"vbMsgBoxRight", 524288, VbGroup::Option };
inline constexpr VbConstant kVbMsgBoxRtlReading { u"vbMsgBoxRtlReading", 1048576, VbGroup::Option,
    false };

inline constexpr VbConstant kVbOK { u"vbOK", 1, VbGroup::Answer };
inline constexpr VbConstant kVbCancel { u"vbCancel", 2, VbGroup::Answer };
inline constexpr VbConstant kVbAbort { u"vbAbort", 3, VbGroup::Answer };
inline constexpr VbConstant kVbRetry { u"vbRetry", 4, VbGroup::Answer };
inline constexpr VbConstant kVbIgnore { u"vbIgnore", 5, VbGroup::Answer };
inline constexpr VbConstant kVbYes { u"vbYes", 6, VbGroup::Answer };
inline constexpr VbConstant kVbNo { u"vbNo", 7, VbGroup::Answer };

inline constexpr std::array kVbMsgBoxConstants { kVbOKOnly, kVbOKCancel, kVbAbortRetryIgnore,
    kVbYesNoCancel, kVbYesNo, kVbRetryCancel, kVbCritical, kVbQuestion, kVbExclamation,
    kVbInformation, kVbDefaultButton1, kVbDefaultButton2, kVbDefaultButton3, kVbDefaultButton4,
    kVbApplicationModal, kVbSystemModal, kVbMsgBoxHelpButton, kVbMsgBoxSetForeground,
    kVbMsgBoxRight, kVbMsgBoxRtlReading, kVbOK, kVbCancel, kVbAbort, kVbRetry, kVbIgnore, kVbYes,
    kVbNo };

// The bits of a buttons value that each group with several constants uses.
inline constexpr qint32 kButtonSetMask = 0x7;
inline constexpr qint32 kIconMask = 0x70;
inline constexpr qint32 kDefaultButtonMask = 0xF00;
inline constexpr qint32 kModalityMask = 0x3000;

// The bits of `group` in a buttons value; 0 for Option and Answer.
qint32 maskOf(VbGroup group);

// Looks a name up as VB does, without regard to letter case.
std::optional<VbConstant> vbConstantNamed(QStringView name);

// The constant of `group` whose value the masked buttons value holds, if VB
// has one (ButtonSet, Icon, DefaultButton, Modality).
std::optional<VbConstant> vbConstantIn(qint32 buttonsValue, VbGroup group);

// The buttons a box with this buttons value shows, left to right, as the
// answers they give. An unknown button set shows OK alone, as Windows does.
QList<VbConstant> answersOf(qint32 buttonsValue);

} // namespace quillon::model
