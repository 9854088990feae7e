#include "vb_model/VbConstants.h"

namespace quillon::model {

qint32 maskOf(VbGroup group)
{
    switch (group) {
    case VbGroup::ButtonSet:
        return kButtonSetMask;
    case VbGroup::Icon:
        return kIconMask;
    case VbGroup::DefaultButton:
        return kDefaultButtonMask;
    case VbGroup::Modality:
        return kModalityMask;
    case VbGroup::Option:
    case VbGroup::Answer:
        break;
    }
    return 0;
}

std::optional<VbConstant> vbConstantNamed(QStringView name)
{
    for (const VbConstant &constant : kVbMsgBoxConstants) {
        if (constant.name.compare(name, Qt::CaseInsensitive) == 0)
            return constant;
    }
    return std::nullopt;
}

std::optional<VbConstant> vbConstantIn(qint32 buttonsValue, VbGroup group)
{
    const qint32 mask = maskOf(group);
    if (mask == 0)
        return std::nullopt;
    for (const VbConstant &constant : kVbMsgBoxConstants) {
        if (constant.group == group && constant.value == (buttonsValue & mask))
            return constant;
    }
    return std::nullopt;
}

QList<VbConstant> answersOf(qint32 buttonsValue)
{
    switch (buttonsValue & kButtonSetMask) {
    case kVbOKCancel.value:
        return { kVbOK, kVbCancel };
    case kVbAbortRetryIgnore.value:
        return { kVbAbort, kVbRetry, kVbIgnore };
    case kVbYesNoCancel.value:
        return { kVbYes, kVbNo, kVbCancel };
    case kVbYesNo.value:
        return { kVbYes, kVbNo };
    case kVbRetryCancel.value:
        return { kVbRetry, kVbCancel };
    default:
        return { kVbOK };
    }
}

} // namespace quillon::model
