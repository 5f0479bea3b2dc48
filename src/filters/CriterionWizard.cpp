#include "CriterionWizard.h"

#include "FilterQueries.h"
#include "FilterTexts.h"

#include "core/Connection.h"
#include "core/DataSet.h"
#include "core/RecordCatalogue.h"
#include "core/SqlFragments.h"

#include <QDate>

namespace ostrapel {

namespace {

const QStringList kPickOperators = {QString(), QStringLiteral("="), QStringLiteral("<>")};
const QStringList kCompareOperators = {QString(),           QStringLiteral("="),  QStringLiteral(">"),
                                       QStringLiteral("<"), QStringLiteral(">="), QStringLiteral("<="),
                                       QStringLiteral("<>")};
const QStringList kTextOperators =
    kCompareOperators + QStringList{FilterTexts::BeginsWith, FilterTexts::EndsWith, FilterTexts::Contains};

constexpr int kDateLength = 10;

} // namespace

CriterionWizard::CriterionWizard(Connection& connection, const RecordCatalogue& catalogue)
    : connection_(connection), catalogue_(catalogue) {
    DataSet rows = connection_.query(FilterQueries::WizardFields);
    for (rows.first(); !rows.eof(); rows.next())
        fields_.push_back({rows.value(QStringLiteral("VELDREAL")).toString(),
                           rows.value(QStringLiteral("VELDDISPLAY")).toString()});
}

QString CriterionWizard::fieldName() const {
    return fieldIndex_ < 0 ? QString() : fields_[size_t(fieldIndex_)].real;
}

QChar CriterionWizard::fieldType() const {
    const RecordField* f = fieldIndex_ < 0 ? nullptr : catalogue_.findField(fieldName());
    return f ? f->type.toUpper() : QChar(u'A');
}

bool CriterionWizard::hasPickList() const {
    return fieldIndex_ >= 0 && catalogue_.hasPickList(fieldName());
}

void CriterionWizard::refreshPage() {
    switch (page_) {
    case Page::Field:
        nextEnabled_ = fieldIndex_ >= 0;
        break;
    case Page::Operator:
        if (operatorsFor_ != fieldIndex_) fillOperators();
        nextEnabled_ = operatorIndex_ > 0;
        break;
    case Page::Value:
        if (valueFor_ != fieldIndex_) prepareValue();
        nextEnabled_ = !valueText_.isEmpty();
        break;
    case Page::Finish:
        nextEnabled_ = false;
        break;
    }
}

void CriterionWizard::next() {
    if (!nextEnabled_) return;
    page_ = Page(int(page_) + 1);
    refreshPage();
}

void CriterionWizard::previous() {
    if (!previousEnabled()) return;
    page_ = Page(int(page_) - 1);
    refreshPage();
}

void CriterionWizard::chooseField(int index) {
    fieldIndex_ = index >= 0 && index < int(fields_.size()) ? index : -1;
    if (page_ == Page::Field) nextEnabled_ = fieldIndex_ >= 0;
}

void CriterionWizard::fillOperators() {
    operators_ = hasPickList()                ? kPickOperators
                 : fieldType() == QChar(u'A') ? kTextOperators
                                              : kCompareOperators;
    operatorIndex_ = 0;
    operatorsFor_ = fieldIndex_;
    ++operatorsFilled_;
}

void CriterionWizard::chooseOperator(int index) {
    operatorIndex_ = index >= 0 && index < operators_.size() ? index : 0;
    if (page_ == Page::Operator) nextEnabled_ = operatorIndex_ > 0;
}

void CriterionWizard::prepareValue() {
    const QChar type = fieldType();
    valueItems_.clear();
    valueText_.clear();
    if (type == QChar(u'D')) {
        valueInput_ = ValueInput::Date;
        valueRows_ = 0;
    } else if (hasPickList()) {
        catalogue_.fillPickList(valueItems_, fieldName(), false);
        valueInput_ = ValueInput::PickList;
        valueRows_ = int(valueItems_.size());
    } else if (type == QChar(u'A')) {
        const QString field = fieldName();
        DataSet rows = connection_.query(FilterQueries::distinctValues(field));
        for (rows.first(); !rows.eof(); rows.next())
            valueItems_ << rows.value(QStringLiteral("WAARDE")).toString().trimmed();
        valueInput_ = ValueInput::Text;
        valueRows_ = kTextRows;
    } else {
        valueInput_ = type == QChar(u'S') ? ValueInput::Decimal : ValueInput::Whole;
        valueRows_ = 0;
    }
    valueFor_ = fieldIndex_;
    ++valueFilled_;
}

void CriterionWizard::setValueText(const QString& text) {
    valueText_ = text;
    if (page_ == Page::Value) nextEnabled_ = !valueText_.isEmpty();
}

void CriterionWizard::presetField(const QString& veldReal) {
    const auto it = std::find_if(fields_.begin(), fields_.end(), [&](const Field& f) {
        return f.real.compare(veldReal, Qt::CaseInsensitive) == 0;
    });
    if (it == fields_.end()) return; // a field no longer offered: choose anew
    fieldIndex_ = int(it - fields_.begin());
    prepareValue();
    fillOperators();
    page_ = Page::Operator;
    refreshPage();
}

void CriterionWizard::presetOperator(int position) {
    if (page_ != Page::Operator) return;
    chooseOperator(position);
    next();
}

void CriterionWizard::presetValue(const QString& waardeReal) {
    setValueText(hasPickList() ? catalogue_.decodePickValue(fieldName(), waardeReal) : waardeReal);
}

bool CriterionWizard::acceptsText(ValueInput input, const QString& text) {
    const auto all = [&](auto ok) { return std::all_of(text.begin(), text.end(), ok); };
    switch (input) {
    case ValueInput::Date:
        return text.size() <= kDateLength && all([](QChar c) { return c.isDigit() || c == u'-'; });
    case ValueInput::Whole:
        return all([](QChar c) { return c.isDigit(); });
    case ValueInput::Decimal:
        return all([](QChar c) { return c.isDigit() || c == u',' || c == u'.'; });
    default:
        return text.size() <= kValueLength;
    }
}

CriterionWizard::KeyAction CriterionWizard::keyAction(int qtKey) const {
    switch (qtKey) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (page_ == Page::Finish) return finishEnabled() ? KeyAction::Finish : KeyAction::None;
        return nextEnabled_ ? KeyAction::Next : KeyAction::None;
    case Qt::Key_Escape:
        return KeyAction::Cancel;
    case Qt::Key_PageUp:
        return nextEnabled_ ? KeyAction::Next : KeyAction::None;
    case Qt::Key_PageDown:
        return previousEnabled() ? KeyAction::Previous : KeyAction::None;
    default:
        return KeyAction::None;
    }
}

std::optional<QString> CriterionWizard::buildCondition(const QString& field, const QString& op,
                                                       const QString& value, QChar type, QString* error) {
    QString q;
    QString v = value;
    switch (type.toUpper().unicode()) {
    case u'A':
        q = QStringLiteral("'");
        break;
    case u'D': {
        q = QStringLiteral("#");
        QDate d = QDate::fromString(value.trimmed(), QStringLiteral("d-M-yyyy"));
        if (!d.isValid()) {
            if (error) *error = FilterTexts::BadDate.arg(value);
            return std::nullopt;
        }
        v = d.toString(QStringLiteral("MM-dd-yyyy"));
        break;
    }
    default:
        break;
    }
    const QString f = u'[' + field + u']';
    // A typed "%" or "_" is looked for, not a wildcard.
    QString escape;
    const QString l = likeLiteral(v, &escape);
    // A quote in a text would end it early: a text value becomes a literal.
    const auto literal = [&](const QString& text) {
        return q == QLatin1String("'") ? sqlTextLiteral(text) : q + text + q;
    };
    if (op == FilterTexts::BeginsWith) return f + QStringLiteral(" like ") + literal(l + u'%') + escape;
    if (op == FilterTexts::EndsWith) return f + QStringLiteral(" like ") + literal(u'%' + l) + escape;
    if (op == FilterTexts::Contains) return f + QStringLiteral(" like ") + literal(u'%' + l + u'%') + escape;
    return f + op + literal(v);
}

std::optional<FilterCriterion> CriterionWizard::result(QString* error) const {
    if (fieldIndex_ < 0 || operatorIndex_ <= 0 || valueText_.isEmpty()) return std::nullopt;
    FilterCriterion c;
    c.VeldReal = fields_[size_t(fieldIndex_)].real;
    c.VeldDisplay = fields_[size_t(fieldIndex_)].display;
    c.WaardeDisplay = valueText_;
    c.WaardeReal = hasPickList() ? catalogue_.encodePickValue(c.VeldReal, valueText_) : valueText_;
    c.OperatorReal = operatorIndex_;
    c.OperatorDisplay = operators_[operatorIndex_];
    // Whatever reached the value, only what the field's type lets through goes into the SQL.
    if (valueInput_ != ValueInput::PickList && !acceptsText(valueInput_, valueText_)) return std::nullopt;
    const std::optional<QString> condition =
        buildCondition(c.VeldReal, c.OperatorDisplay, c.WaardeReal, fieldType(), error);
    if (!condition) return std::nullopt;
    c.Filter = *condition;
    return c;
}

} // namespace ostrapel
