#include "options_window/StyleFlags.h"

#include <array>

namespace {

struct Term
{
    const char16_t *name; // nullptr: the choice adds nothing
    qint32 value;
};

constexpr std::array<Term, 5> kIconTerms{{
    {nullptr, 0},
    {u"vbQuestion", 32},
    {u"vbInformation", 64},
    {u"vbExclamation", 48},
    {u"vbCritical", 16},
}};

// Indexed by the order of the option buttons, not by value.
constexpr std::array<Term, 6> kButtonTerms{{
    {nullptr, 0},
    {u"vbOKCancel", 1},
    {u"vbYesNo", 4},
    {u"vbYesNoCancel", 3},
    {u"vbRetryCancel", 5},
    {u"vbAbortRetryIgnore", 2},
}};

constexpr std::array<Term, 3> kDefaultButtonTerms{{
    {nullptr, 0},
    {u"vbDefaultButton2", 256},
    {u"vbDefaultButton3", 512},
}};

constexpr Term kSystemModal{u"vbSystemModal", 4096};
constexpr Term kTextRight{u"vbMsgBoxRight", 524288};

template<std::size_t N>
Term termAt(const std::array<Term, N> &terms, int index)
{
    if (index < 0 || index >= static_cast<int>(N))
        return {nullptr, 0};
    return terms[static_cast<std::size_t>(index)];
}

void add(StyleFlags &flags, const Term &term)
{
    if (!term.name)
        return;
    if (!flags.expression.isEmpty())
        flags.expression += QStringLiteral(" Or ");
    flags.expression += QString::fromUtf16(term.name);
    flags.value += term.value;
}

} // namespace

StyleFlags computeStyleFlags(const StyleChoices &choices)
{
    StyleFlags flags;
    add(flags, termAt(kIconTerms, choices.icon));
    add(flags, termAt(kButtonTerms, choices.buttons));
    // The plain OK set has a single button, so no default button is written.
    if (choices.buttons != 0)
        add(flags, termAt(kDefaultButtonTerms, choices.defaultButton - 1));
    if (choices.systemModal)
        add(flags, kSystemModal);
    if (choices.textRight)
        add(flags, kTextRight);
    return flags;
}
