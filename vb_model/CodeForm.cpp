#include "vb_model/CodeForm.h"

#include "vb_model/VbConstants.h"

namespace quillon::model {

bool formFits(CodeForm form, const StyleChoices &choices)
{
    return form != CodeForm::If || answersOf(computeStyleFlags(choices).value).size() == 2;
}

} // namespace quillon::model
