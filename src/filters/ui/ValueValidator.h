#pragma once

#include "filters/CriterionWizard.h"

#include <QValidator>

namespace ostrapel {

// Lets into the value box only what the field's type takes, typed or pasted.
class ValueValidator : public QValidator {
    Q_OBJECT
public:
    ValueValidator(CriterionWizard::ValueInput input, QObject* parent) : QValidator(parent), input_(input) {}
    State validate(QString& input, int& pos) const override;

private:
    CriterionWizard::ValueInput input_;
};

} // namespace ostrapel
