#pragma once

#include "FilterCriterion.h"

#include <QChar>
#include <QStringList>
#include <optional>
#include <vector>

namespace ostrapel {

class Connection;
class RecordCatalogue;

// The criteria dialog without its widgets: a criterion composed in three steps
// (field, operator, value) and turned into its SQL condition.
class CriterionWizard {
public:
    enum class Page { Field, Operator, Value, Finish };
    // What the value box offers and lets the user type.
    enum class ValueInput { None, PickList, Text, Date, Whole, Decimal };
    enum class KeyAction { None, Next, Previous, Finish, Cancel };
    struct Field {
        QString real;    // "ID04", "1002"
        QString display; // caption
    };
    static constexpr int kValueLength = 30;
    static constexpr int kTextRows = 8;

    CriterionWizard(Connection& connection, const RecordCatalogue& catalogue);

    const std::vector<Field>& fields() const { return fields_; }
    Page page() const { return page_; }
    bool nextEnabled() const { return nextEnabled_; }
    bool previousEnabled() const { return page_ != Page::Field; }
    bool finishEnabled() const { return page_ == Page::Finish; }
    void next();
    void previous();

    // -1: none.
    void chooseField(int index);
    int fieldIndex() const { return fieldIndex_; }
    const QStringList& operators() const { return operators_; }
    int operatorIndex() const { return operatorIndex_; }
    void chooseOperator(int index);
    // The value box: its entries, how many rows drop down, what may be typed.
    const QStringList& valueItems() const { return valueItems_; }
    int valueRows() const { return valueRows_; }
    ValueInput valueInput() const { return valueInput_; }
    QString valueText() const { return valueText_; }
    void setValueText(const QString& text);
    // Counted up whenever the operator list or the value box is filled anew.
    int operatorsFilled() const { return operatorsFilled_; }
    int valueFilled() const { return valueFilled_; }

    // Editing an existing criterion: each step also moves a page on.
    void presetField(const QString& veldReal);
    void presetOperator(int position);
    void presetValue(const QString& waardeReal);

    // Whether the value box takes `text` (typed or pasted) for its input kind.
    static bool acceptsText(ValueInput input, const QString& text);
    KeyAction keyAction(int qtKey) const;

    // The SQL condition for field f; nullopt and `error` set for a date that
    // does not read as dd-mm-yyyy.
    static std::optional<QString> buildCondition(const QString& field, const QString& op,
                                                 const QString& value, QChar type, QString* error = nullptr);
    // The composed criterion (finish); nullopt with `error` when it cannot be built.
    std::optional<FilterCriterion> result(QString* error = nullptr) const;

private:
    void refreshPage();
    void fillOperators();
    void prepareValue();
    QChar fieldType() const;
    bool hasPickList() const;
    QString fieldName() const;

    Connection& connection_;
    const RecordCatalogue& catalogue_;
    std::vector<Field> fields_;
    Page page_ = Page::Field;
    bool nextEnabled_ = false;
    int fieldIndex_ = -1;
    // The field each list was last filled for: a list is filled anew when the
    // chosen field differs from it.
    int operatorsFor_ = -1;
    int valueFor_ = -1;
    QStringList operators_;
    int operatorIndex_ = -1;
    QStringList valueItems_;
    int valueRows_ = 0;
    ValueInput valueInput_ = ValueInput::None;
    QString valueText_;
    int operatorsFilled_ = 0;
    int valueFilled_ = 0;
};

} // namespace ostrapel
