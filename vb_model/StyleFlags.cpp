#include "vb_model/StyleFlags.h"

#include "vb_model/VbConstants.h"

#include <array>

namespace quillon::model {

namespace {

// Indexed by the options window's arrays; nullptr: the choice adds nothing.
constexpr std::array<const VbConstant *, kIconChoiceCount> kIconTerms { nullptr, &kVbQuestion,
    &kVbInformation, &kVbExclamation, &kVbCritical };

// In the order of the option buttons, not by value.
constexpr std::array<const VbConstant *, kButtonSetChoiceCount> kButtonTerms { nullptr,
    &kVbOKCancel, &kVbYesNo, &kVbYesNoCancel, &kVbRetryCancel, &kVbAbortRetryIgnore };

constexpr std::array<const VbConstant *, kDefaultButtonChoiceCount> kDefaultButtonTerms { nullptr,
    &kVbDefaultButton2, &kVbDefaultButton3 };

template<std::size_t N>
const VbConstant *termAt(const std::array<const VbConstant *, N> &terms, int index)
{
    if (index < 0 || index >= static_cast<int>(N))
        return nullptr;
    return terms[static_cast<std::size_t>(index)];
}

void add(StyleFlags &flags, const VbConstant *term, Dialect dialect)
{
    if (!term)
        return;
    if (!flags.expression.isEmpty())
        flags.expression += QStringLiteral(" Or ");
    flags.expression += constantName(*term, dialect);
    flags.value += term->value;
}

// The index whose term has the value; the empty choice (index 0) stands for
// the group's zero constant.
template<std::size_t N>
std::optional<int> indexOfValue(const std::array<const VbConstant *, N> &terms, qint32 value)
{
    for (std::size_t i = 0; i < N; ++i) {
        if ((terms[i] ? terms[i]->value : 0) == value)
            return static_cast<int>(i);
    }
    return std::nullopt;
}

constexpr std::array<const VbConstant *, 2> kModalityTerms { nullptr, &kVbSystemModal };

// Takes one group's part of the value into `index`, or names it as left out.
template<std::size_t N>
void takeGroup(qint32 value, VbGroup group, const std::array<const VbConstant *, N> &terms,
    int &index, QStringList &notTakenOver)
{
    // VB has no constant for "no icon": a zero part is the empty choice.
    const qint32 part = value & maskOf(group);
    const std::optional<VbConstant> constant = vbConstantIn(value, group);
    const std::optional<int> chosen
        = constant || part == 0 ? indexOfValue(terms, part) : std::nullopt;
    if (chosen)
        index = *chosen;
    else if (constant)
        notTakenOver << constant->name.toString();
    else
        notTakenOver << QString::number(part);
}

} // namespace

StyleFlags computeStyleFlags(const StyleChoices &choices, Dialect dialect)
{
    StyleFlags flags;
    add(flags, termAt(kIconTerms, choices.icon), dialect);
    add(flags, termAt(kButtonTerms, choices.buttons), dialect);
    // The plain OK set has a single button, so no default button is written.
    if (choices.buttons != 0)
        add(flags, defaultButtonConstantOf(choices.defaultButton), dialect);
    if (choices.systemModal)
        add(flags, &kVbSystemModal, dialect);
    if (choices.textRight)
        add(flags, &kVbMsgBoxRight, dialect);
    return flags;
}

const VbConstant *iconConstantOf(int icon)
{
    return termAt(kIconTerms, icon);
}

const VbConstant *buttonSetConstantOf(int buttons)
{
    return termAt(kButtonTerms, buttons);
}

const VbConstant *defaultButtonConstantOf(int defaultButton)
{
    return termAt(kDefaultButtonTerms, defaultButton - 1);
}

ChoicesOfValue choicesOfValue(qint32 buttonsValue)
{
    ChoicesOfValue result;
    StyleChoices &choices = result.choices;
    QStringList &left = result.notTakenOver;
    takeGroup(buttonsValue, VbGroup::Icon, kIconTerms, choices.icon, left);
    takeGroup(buttonsValue, VbGroup::ButtonSet, kButtonTerms, choices.buttons, left);
    int defaultIndex = 0;
    takeGroup(buttonsValue, VbGroup::DefaultButton, kDefaultButtonTerms, defaultIndex, left);
    choices.defaultButton = defaultIndex + 1;
    int modality = 0;
    takeGroup(buttonsValue, VbGroup::Modality, kModalityTerms, modality, left);
    choices.systemModal = modality == 1;
    choices.textRight = (buttonsValue & kVbMsgBoxRight.value) != 0;

    qint32 otherBits = buttonsValue
        & ~(kButtonSetMask | kIconMask | kDefaultButtonMask | kModalityMask | kVbMsgBoxRight.value);
    for (const VbConstant &option : kVbMsgBoxConstants) {
        if (option.group == VbGroup::Option && (otherBits & option.value) != 0) {
            left << option.name.toString();
            otherBits &= ~option.value;
        }
    }
    if (otherBits != 0)
        left << QString::number(otherBits);
    return result;
}

} // namespace quillon::model
