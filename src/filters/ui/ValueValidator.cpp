#include "ValueValidator.h"

namespace ostrapel {

QValidator::State ValueValidator::validate(QString& input, int&) const {
    return CriterionWizard::acceptsText(input_, input) ? Acceptable : Invalid;
}

} // namespace ostrapel
