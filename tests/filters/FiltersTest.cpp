// Filters without windows: the clause, the conditions, storing and opening
// named filters, and the three steps of a criterion.
#include "CollectivityFixture.h"
#include "core/DatabaseError.h"
#include "filters/CriterionWizard.h"
#include "filters/FilterChooser.h"
#include "filters/FilterClause.h"
#include "filters/FilterModel.h"
#include "filters/FilterStore.h"

using namespace ostrapel;
using Wizard = CriterionWizard;

namespace {

FilterCriterion criterion(const QString& field, const QString& op, const QString& value,
                          const QString& filter) {
    FilterCriterion c;
    c.VeldReal = field;
    c.VeldDisplay = field;
    c.OperatorDisplay = op;
    c.OperatorReal = 1;
    c.WaardeReal = value;
    c.WaardeDisplay = value;
    c.Filter = filter;
    return c;
}

} // namespace

TEST(FilterClause, OneSegmentPerCriterionWithGenderOneReadAsNotTwo) {
    const struct {
        std::vector<QString> conditions;
        QString clause;
    } cases[] = {
        {{}, QStringLiteral("AND 1=1")},
        {{QStringLiteral("[1002] like 'A%'"), QStringLiteral("[ID04]='123'")},
         QStringLiteral(" AND (bord10.[1002] like 'A%') AND (bord10.[ID04]='123')")},
        {{QStringLiteral("[1008]=1")}, QStringLiteral(" AND (bord10.[1008]<>2)")},
        {{QStringLiteral("[1008]='1'")}, QStringLiteral(" AND (bord10.[1008]='1')")},
        {{QStringLiteral("[1008]=2")}, QStringLiteral(" AND (bord10.[1008]=2)")},
        // an OR stays inside its criterion
        {{QStringLiteral("[1002] like 'zzz%' OR 1=1")},
         QStringLiteral(" AND (bord10.[1002] like 'zzz%' OR 1=1)")},
    };
    for (const auto& c : cases) {
        std::vector<FilterCriterion> criteria;
        for (const QString& condition : c.conditions)
            criteria.push_back(
                criterion(QStringLiteral("x"), QStringLiteral("="), QStringLiteral("v"), condition));
        EXPECT_EQ(FilterClause::build(criteria), c.clause);
    }
}

// A stored condition edited into more than one expression is refused, naming the filter.
TEST(FilterClause, RefusesAConditionThatIsNotOneExpression) {
    const FilterCriterion attack = criterion(
        QStringLiteral("1002"), QStringLiteral("="), QStringLiteral("x"),
        QStringLiteral(
            "[1002]='x') AS q; INSERT INTO Filters(FilterNaam) VALUES ('INJECTED'); SELECT * FROM (x"));
    try {
        FilterClause::build({attack}, QStringLiteral("Datum test"));
        ADD_FAILURE() << "no error";
    } catch (const OstrapelError& e) {
        EXPECT_TRUE(e.message().startsWith(QStringLiteral(
            "Het filter \"Datum test\" kan niet worden gebruikt: de voorwaarde [1002]='x') AS q;")))
            << e.message().toStdString();
    }
}

TEST(FilterCondition, ByOperatorAndType) {
    const struct {
        const char* field;
        const char* op;
        QString value;
        char type;
        const char* condition;
    } cases[] = {
        {"1002", "Begint met", QStringLiteral("Jan"), 'A', "[1002] like 'Jan%'"},
        {"1002", "Eindigt met", QStringLiteral("Jan"), 'A', "[1002] like '%Jan'"},
        {"1002", "Bevat", QStringLiteral("Jan"), 'A', "[1002] like '%Jan%'"},
        {"1002", "<>", QStringLiteral("Jan"), 'A', "[1002]<>'Jan'"},
        {"1025", ">=", QStringLiteral("1000"), 'N', "[1025]>=1000"},
        {"1026", "<", QStringLiteral("12.5"), 'S', "[1026]<12.5"},
        {"1005", "<", QStringLiteral("31-12-2004"), 'D', "[1005]<#12-31-2004#"},
        {"1005", "=", QStringLiteral("1-2-2004"), 'D', "[1005]=#02-01-2004#"},
        // quotes doubled: the value stays one text
        {"1002", "=", QStringLiteral("O'Brien"), 'A', "[1002]='O''Brien'"},
        {"1002", "Bevat", QStringLiteral("x' OR '1'='1"), 'A', "[1002] like '%x'' OR ''1''=''1%'"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Wizard::buildCondition(QString::fromLatin1(c.field), QString::fromUtf8(c.op), c.value,
                                         QChar(c.type)),
                  QString::fromLatin1(c.condition))
            << c.condition;

    QString error;
    for (const char* bad : {"12-31-2004", "31122004", "31-12"}) {
        error.clear();
        EXPECT_FALSE(Wizard::buildCondition(QStringLiteral("1005"), QStringLiteral("<"),
                                            QString::fromLatin1(bad), QChar(u'D'), &error));
        EXPECT_EQ(error, QStringLiteral("\"%1\" is geen geldige datum. Voer de datum in als dd-mm-jjjj, "
                                        "bijvoorbeeld 31-12-2004.")
                             .arg(QString::fromLatin1(bad)));
    }
}

TEST(FilterCondition, TypingRulesOfTheValueBox) {
    using In = Wizard::ValueInput;
    const struct {
        In input;
        const char* text;
        bool accepted;
    } cases[] = {
        {In::Date, "31-12-2004", true}, {In::Date, "31-12-20041", false}, {In::Date, "31/12", false},
        {In::Whole, "1000", true},      {In::Whole, "1,5", false},        {In::Whole, "1 OR 1=1", false},
        {In::Decimal, "1,5", true},     {In::Decimal, "1.5", true},       {In::Decimal, "1e5", false},
        {In::Text, "O'Brien", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Wizard::acceptsText(c.input, QString::fromLatin1(c.text)), c.accepted) << c.text;
    EXPECT_FALSE(Wizard::acceptsText(In::Text, QString(31, u'x')));
}

namespace {

class Filters : public test::CollectivityFixture {
protected:
    FilterModel model() {
        FilterModel m(*db, prompts);
        m.askCriterion = [this](const std::optional<FilterCriterion>& current) {
            edited.push_back(current);
            std::optional<FilterCriterion> next = criteria.empty() ? std::nullopt : criteria.front();
            if (!criteria.empty()) criteria.pop_front();
            return next;
        };
        m.askName = [this] {
            ++namesAsked;
            return name;
        };
        m.chooseFilter = [this](FilterStore&) { return chosen; };
        m.applyClause = [this](const QString& clause) {
            if (clause.contains(QStringLiteral("fout"))) throw DatabaseError(QStringLiteral("Databasefout"));
            applied << clause;
        };
        return m;
    }
    int count(const QString& sql) { return db->scalar(sql).toInt(); }
    int fieldIndex(const Wizard& w, const QString& real) {
        for (int i = 0; i < int(w.fields().size()); ++i)
            if (w.fields()[size_t(i)].real == real) return i;
        return -1;
    }

    test::ScriptedPrompts prompts;
    std::deque<std::optional<FilterCriterion>> criteria;
    std::vector<std::optional<FilterCriterion>> edited;
    std::optional<FilterModel::Name> name;
    std::optional<int> chosen;
    QStringList applied;
    int namesAsked = 0;
    const FilterCriterion surnameA = criterion(QStringLiteral("1002"), QStringLiteral("Begint met"),
                                               QStringLiteral("A"), QStringLiteral("[1002] like 'A%'"));
    const FilterCriterion employee = criterion(QStringLiteral("ID04"), QStringLiteral("="),
                                               QStringLiteral("123"), QStringLiteral("[ID04]='123'"));
};

} // namespace

TEST_F(Filters, SavingNewCriteriaAsksANameAndCancelStoresNothing) {
    FilterModel m = model();
    EXPECT_FALSE(m.hasCriteria());
    EXPECT_FALSE(m.canSave());
    criteria = {surnameA, std::nullopt, employee};
    m.add();
    m.add(); // cancelled: nothing changes
    m.add();
    ASSERT_EQ(m.criteria().size(), 2u);
    EXPECT_EQ(m.criteria()[1].FilterId, 0);
    EXPECT_TRUE(m.modified());
    EXPECT_TRUE(m.canSave());

    EXPECT_FALSE(m.save());
    EXPECT_EQ(namesAsked, 1);
    EXPECT_EQ(count(QStringLiteral("select count(*) from Filters")), 0);
    EXPECT_EQ(count(QStringLiteral("select count(*) from FilterCrits")), 0);
    EXPECT_EQ(m.filterId(), -1);

    name = FilterModel::Name{QStringLiteral("Namen met A"), QStringLiteral("Piet")};
    EXPECT_TRUE(m.save());
    EXPECT_GT(m.filterId(), 0);
    EXPECT_FALSE(m.modified());
    EXPECT_EQ(db->scalar(QStringLiteral("select GemaaktDoor from Filters where FilterId = :id"),
                         {{QStringLiteral("id"), m.filterId()}})
                  .toString(),
              QStringLiteral("Piet"));
    const std::vector<FilterCriterion> stored = FilterStore(*db).criteria(m.filterId());
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_EQ(stored[0].FilterCritId, 1);
    EXPECT_EQ(stored[1].FilterCritId, 2);
    EXPECT_EQ(stored[1].Filter, QStringLiteral("[ID04]='123'"));
    EXPECT_EQ(stored[0].OperatorDisplay, QStringLiteral("Begint met"));
    EXPECT_EQ(stored[0].FilterId, m.filterId());
}

TEST_F(Filters, AnOpenedFilterIsSavedUnderItsNumber) {
    FilterStore store(*db);
    const int other = store.store(-1, {employee}, QStringLiteral("Ander"), QStringLiteral("Jan"));
    const int id = store.store(-1, {surnameA, employee}, QStringLiteral("Namen"), QStringLiteral("Piet"));

    FilterModel m = model();
    chosen = id;
    m.open();
    EXPECT_EQ(m.filterId(), id);
    ASSERT_EQ(m.criteria().size(), 2u);
    EXPECT_EQ(m.criteria()[0].FilterId, id);
    EXPECT_FALSE(m.modified());

    FilterCriterion changed = employee;
    changed.WaardeDisplay = changed.WaardeReal = QStringLiteral("456");
    changed.Filter = QStringLiteral("[ID04]='456'");
    criteria = {changed};
    m.setCurrentRow(1);
    m.edit();
    ASSERT_TRUE(edited.back());
    EXPECT_EQ(edited.back()->Filter, QStringLiteral("[ID04]='123'")); // the dialog was preset with the row
    EXPECT_EQ(m.criteria()[1].Filter, QStringLiteral("[ID04]='456'"));
    EXPECT_TRUE(m.save());
    EXPECT_EQ(namesAsked, 0);
    EXPECT_EQ(m.filterId(), id);
    EXPECT_EQ(count(QStringLiteral("select count(*) from Filters")), 2);
    const std::vector<FilterCriterion> stored = store.criteria(id);
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_EQ(stored[1].Filter, QStringLiteral("[ID04]='456'"));
    EXPECT_EQ(store.criteria(other).size(), 1u);

    // Handed to a window and back, the criteria belong to no stored filter.
    FilterModel again = model();
    again.setCriteria(m.criteria());
    EXPECT_EQ(again.filterId(), -1);
}

TEST_F(Filters, NewAndOpenWithUnsavedChangesAskToSaveFirst) {
    FilterModel m = model();
    criteria = {surnameA};
    m.add();
    prompts.answers = {MsgButton::No};
    m.newFilter();
    EXPECT_EQ(prompts.texts(), QStringList{QStringLiteral("Wilt u de huidige filter opslaan?")});
    EXPECT_TRUE(m.criteria().empty());
    EXPECT_FALSE(m.modified());
    EXPECT_EQ(count(QStringLiteral("select count(*) from Filters")), 0);

    criteria = {surnameA};
    m.add();
    prompts.answers = {MsgButton::Yes};
    name = FilterModel::Name{QStringLiteral("Namen"), QStringLiteral("Piet")};
    chosen = std::nullopt; // the chooser is cancelled after saving
    m.open();
    EXPECT_EQ(namesAsked, 1);
    EXPECT_EQ(count(QStringLiteral("select count(*) from FilterCrits")), 1);
    EXPECT_EQ(m.criteria().size(), 1u);

    // Removing asks; No keeps the row.
    prompts.answers = {MsgButton::No, MsgButton::Yes};
    m.remove();
    EXPECT_EQ(m.criteria().size(), 1u);
    m.remove();
    EXPECT_TRUE(m.criteria().empty());
    EXPECT_EQ(prompts.texts().last(), QStringLiteral("Wilt u dit record verwijderen"));
}

TEST_F(Filters, DeletingAStoredFilterTakesItsCriteria) {
    FilterStore store(*db);
    const int keep = store.store(-1, {surnameA}, QStringLiteral("B"), QStringLiteral("x"));
    const int gone = store.store(-1, {surnameA, employee}, QStringLiteral("A"), QStringLiteral("x"));
    FilterChooser chooser(store, prompts);
    EXPECT_EQ(chooser.currentId(), gone); // by name
    prompts.answers = {MsgButton::No};
    EXPECT_FALSE(chooser.deleteCurrent());
    EXPECT_EQ(count(QStringLiteral("select count(*) from FilterCrits")), 3);
    prompts.answers = {MsgButton::Yes};
    EXPECT_TRUE(chooser.deleteCurrent());
    EXPECT_EQ(prompts.texts().last(), QStringLiteral("Wilt u dit filter verwijderen?"));
    EXPECT_EQ(count(QStringLiteral("select count(*) from Filters")), 1);
    EXPECT_EQ(count(QStringLiteral("select count(*) from FilterCrits")), 1);
    EXPECT_EQ(chooser.currentId(), keep);
}

// The filter being edited is deleted in the chooser, which is then cancelled:
// saving must not write criteria under a number that no longer exists.
TEST_F(Filters, AFilterDeletedMeanwhileIsSavedUnderANewName) {
    FilterStore store(*db);
    const int id = store.store(-1, {surnameA}, QStringLiteral("Datum test"), QStringLiteral("x"));
    FilterModel m = model();
    chosen = id;
    m.open();
    criteria = {employee};
    m.add();
    m.chooseFilter = [&](FilterStore& s) -> std::optional<int> {
        FilterChooser chooser(s, prompts);
        EXPECT_EQ(chooser.currentId(), id);
        EXPECT_TRUE(chooser.deleteCurrent());
        return std::nullopt;
    };
    prompts.answers = {MsgButton::No, MsgButton::Yes}; // do not save first; delete the filter
    m.open();
    EXPECT_EQ(count(QStringLiteral("select count(*) from Filters")), 0);
    const QString orphans = QStringLiteral(
        "select count(*) from FilterCrits where FilterId not in (select FilterId from Filters)");

    // The name is asked as for a new filter; cancelling it stores nothing.
    EXPECT_FALSE(m.save());
    EXPECT_EQ(namesAsked, 1);
    EXPECT_TRUE(m.canSave());
    EXPECT_EQ(count(QStringLiteral("select count(*) from FilterCrits")), 0);

    name = FilterModel::Name{QStringLiteral("Datum test 2"), QStringLiteral("Piet")};
    EXPECT_TRUE(m.save());
    EXPECT_EQ(namesAsked, 2);
    EXPECT_NE(m.filterId(), id);
    EXPECT_FALSE(m.canSave());
    EXPECT_EQ(store.criteria(m.filterId()).size(), 2u);
    EXPECT_EQ(count(orphans), 0);

    // The store itself refuses criteria for a filter that is gone, writing nothing.
    EXPECT_THROW(store.store(id, {surnameA}), FilterGone);
    EXPECT_EQ(count(orphans), 0);
    EXPECT_EQ(count(QStringLiteral("select count(*) from FilterCrits")), 2);
}

TEST_F(Filters, ApplyAndLiftReachTheWindow) {
    FilterModel m = model();
    EXPECT_FALSE(m.canLift());
    EXPECT_EQ(m.apply(), QStringLiteral("AND 1=1"));
    criteria = {surnameA};
    m.add();
    EXPECT_EQ(m.apply(), QStringLiteral(" AND (bord10.[1002] like 'A%')"));
    EXPECT_TRUE(m.canLift());

    // A clause the database rejects gives the window its former clause back.
    criteria = {
        criterion(QStringLiteral("1002"), QStringLiteral("="), QStringLiteral("x"), QStringLiteral("fout"))};
    m.add();
    EXPECT_THROW(m.apply(), DatabaseError);
    EXPECT_EQ(applied.last(), QStringLiteral(" AND (bord10.[1002] like 'A%')"));
    m.lift();
    EXPECT_EQ(applied.last(), QStringLiteral("AND 1=1"));
    EXPECT_FALSE(m.canLift());
}

TEST_F(Filters, CriterionInThreeSteps) {
    Wizard w(*db, catalogue);
    const int surname = fieldIndex(w, QStringLiteral("1002"));
    ASSERT_GE(surname, 0);
    EXPECT_GE(fieldIndex(w, QStringLiteral("ID04")), 0);
    EXPECT_EQ(fieldIndex(w, QStringLiteral("1006")), -1); // hidden in the list, not offered
    EXPECT_EQ(fieldIndex(w, QStringLiteral("ID06")), -1);
    for (size_t i = 1; i < w.fields().size(); ++i)
        EXPECT_LE(w.fields()[i - 1].display.compare(w.fields()[i].display, Qt::CaseInsensitive), 0);

    // Nothing can be finished before field, operator and value are chosen.
    EXPECT_FALSE(w.nextEnabled());
    EXPECT_FALSE(w.previousEnabled());
    w.chooseField(surname);
    EXPECT_TRUE(w.nextEnabled());
    w.next();
    EXPECT_EQ(w.page(), Wizard::Page::Operator);
    EXPECT_EQ(w.operators().size(), 10);
    EXPECT_FALSE(w.nextEnabled());
    EXPECT_EQ(w.keyAction(Qt::Key_Return), Wizard::KeyAction::None);
    EXPECT_EQ(w.keyAction(Qt::Key_PageDown), Wizard::KeyAction::Previous);
    w.chooseOperator(w.operators().indexOf(QStringLiteral("Begint met")));
    EXPECT_EQ(w.keyAction(Qt::Key_Return), Wizard::KeyAction::Next);
    EXPECT_EQ(w.keyAction(Qt::Key_PageUp), Wizard::KeyAction::Next);
    w.next();
    EXPECT_EQ(w.valueInput(), Wizard::ValueInput::Text);
    EXPECT_EQ(w.valueRows(), 8);
    EXPECT_FALSE(w.valueItems().isEmpty());
    EXPECT_FALSE(w.nextEnabled());
    EXPECT_FALSE(w.finishEnabled());
    w.setValueText(QStringLiteral("Jan"));
    w.next();
    EXPECT_EQ(w.page(), Wizard::Page::Finish);
    EXPECT_FALSE(w.nextEnabled());
    EXPECT_TRUE(w.finishEnabled());
    EXPECT_EQ(w.keyAction(Qt::Key_Enter), Wizard::KeyAction::Finish);
    EXPECT_EQ(w.keyAction(Qt::Key_Escape), Wizard::KeyAction::Cancel);
    std::optional<FilterCriterion> c = w.result();
    ASSERT_TRUE(c);
    EXPECT_EQ(c->Filter, QStringLiteral("[1002] like 'Jan%'"));
    EXPECT_EQ(c->VeldDisplay, QStringLiteral("Achternaam"));
    EXPECT_EQ(c->OperatorReal, 7);
    EXPECT_EQ(c->OperatorDisplay, QStringLiteral("Begint met"));

    // Back to the field page and forward without another field: operator and value kept.
    for (int i = 0; i < 3; ++i)
        w.previous();
    const int filled = w.operatorsFilled();
    w.chooseField(surname);
    w.next();
    w.next();
    EXPECT_EQ(w.operatorsFilled(), filled);
    EXPECT_EQ(w.valueText(), QStringLiteral("Jan"));

    // Another field: both filled anew; a pick list offers only "=" and "<>", and its texts.
    w.previous();
    w.previous();
    w.chooseField(fieldIndex(w, QStringLiteral("1024")));
    w.next();
    EXPECT_EQ(w.operators(), (QStringList{QString(), QStringLiteral("="), QStringLiteral("<>")}));
    EXPECT_EQ(w.operatorIndex(), 0);
    EXPECT_FALSE(w.nextEnabled());
    w.chooseOperator(1);
    w.next();
    EXPECT_EQ(w.valueInput(), Wizard::ValueInput::PickList);
    EXPECT_EQ(w.valueItems(), (QStringList{QStringLiteral("Particulier"), QStringLiteral("Ziekenfonds"),
                                           QStringLiteral("Standaardverzekering")}));
    EXPECT_EQ(w.valueRows(), 3);
    EXPECT_TRUE(w.valueText().isEmpty());
    w.setValueText(QStringLiteral("Ziekenfonds"));
    w.next();
    c = w.result();
    ASSERT_TRUE(c);
    EXPECT_EQ(c->WaardeReal, QStringLiteral("Z"));
    EXPECT_EQ(c->WaardeDisplay, QStringLiteral("Ziekenfonds"));
    EXPECT_EQ(c->Filter, QStringLiteral("[1024]='Z'"));
}

TEST_F(Filters, EditingOpensOnTheValuePage) {
    Wizard w(*db, catalogue);
    w.presetField(QStringLiteral("1008"));
    w.presetOperator(1);
    w.presetValue(QStringLiteral("2"));
    EXPECT_EQ(w.page(), Wizard::Page::Value);
    EXPECT_EQ(w.fields()[size_t(w.fieldIndex())].real, QStringLiteral("1008"));
    EXPECT_EQ(w.operators()[w.operatorIndex()], QStringLiteral("="));
    EXPECT_EQ(w.valueText(), QStringLiteral("Vrouw"));
    EXPECT_TRUE(w.nextEnabled());
    w.next();
    EXPECT_EQ(w.result()->Filter, QStringLiteral("[1008]=2"));

    Wizard date(*db, catalogue);
    date.presetField(QStringLiteral("1005"));
    date.presetOperator(3);
    date.presetValue(QStringLiteral("31-12-2004"));
    EXPECT_EQ(date.valueInput(), Wizard::ValueInput::Date);
    date.next();
    EXPECT_EQ(date.result()->Filter, QStringLiteral("[1005]<#12-31-2004#"));
    date.previous();
    date.setValueText(QStringLiteral("31-31-2004"));
    date.next();
    QString error;
    EXPECT_FALSE(date.result(&error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("\"31-31-2004\" is geen geldige datum.")));
}

TEST_F(Filters, ValueListHoldsEveryCollectivity) {
    db->execute(QStringLiteral(
        "insert into bord10 (ID01, ID02, ID03, [1017]) values (99, 1, '2005-12', ' Testdorp ')"));
    Wizard w(*db, catalogue);
    w.chooseField(fieldIndex(w, QStringLiteral("1017")));
    w.next();
    w.chooseOperator(1);
    w.next();
    EXPECT_TRUE(w.valueItems().contains(QStringLiteral("Testdorp")));
    EXPECT_GT(w.valueItems().size(), 1);
}
