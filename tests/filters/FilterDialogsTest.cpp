// The filter dialogs on a real collectivity window, answered as a user would:
// each modal dialog is driven from a zero-delay timer once it is shown.
#include "CollectivityFixture.h"
#include "RecordingPrinter.h"
#include "Screenshots.h"
#include "ScriptedDesktop.h"
#include "ScriptedDialogs.h"
#include "collectivity/ui/CollectivityWindow.h"
#include "collectivity/ui/ListPane.h"
#include "collectivity/ui/StatementGrid.h"
#include "core/Settings.h"
#include "filters/ui/FilterChooserDialog.h"
#include "filters/ui/FilterCriterionDialog.h"
#include "filters/ui/FilterListDialog.h"
#include "filters/ui/FilterNameDialog.h"
#include "reports/ui/CollectivityReports.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace ostrapel;

namespace {

// Runs `answer` on the modal dialog of type D as soon as the event loop shows it.
template <class D> void whenShown(std::function<void(D*)> answer) {
    QTimer::singleShot(0, [answer] {
        auto* d = qobject_cast<D*>(QApplication::activeModalWidget());
        if (!d) {
            ADD_FAILURE() << "expected dialog " << D::staticMetaObject.className();
            if (auto* other = qobject_cast<QDialog*>(QApplication::activeModalWidget())) other->reject();
            return;
        }
        answer(d);
    });
}

class FilterWindow : public test::CollectivityFixture {
protected:
    std::unique_ptr<CollectivityWindow> open(InsuranceType type = InsuranceType::Standard) {
        auto w = std::make_unique<CollectivityWindow>(*db, catalogue, prompts, printer, desktop, dialogs,
                                                      settings, reports);
        w->setIdentity({12, 1}, type);
        w->loadWindowState();
        w->show();
        return w;
    }
    // One criterion through the three pages; the value typed, or picked when the box has a list.
    static void compose(FilterCriterionDialog* d, const QString& field, const QString& op,
                        const QString& value, const QString& shots = {}) {
        const auto shot = [&](const char* page) {
            if (!shots.isEmpty()) test::saveScreenshot(d, shots + QString::fromLatin1(page));
        };
        shot("-1-veld");
        d->lstVeld->setCurrentItem(d->lstVeld->findItems(field, Qt::MatchExactly).value(0));
        QTest::keyClick(d->lstVeld, Qt::Key_Return);
        shot("-2-operator");
        d->cmbOperator->setCurrentIndex(d->cmbOperator->findText(op));
        QTest::keyClick(d->cmbOperator, Qt::Key_PageUp);
        if (d->cmbWaarde->isEditable()) {
            d->cmbWaarde->lineEdit()->clear();
            QTest::keyClicks(d->cmbWaarde->lineEdit(), value);
        } else {
            d->cmbWaarde->setCurrentIndex(d->cmbWaarde->findText(value));
        }
        shot("-3-waarde");
        QTest::keyClick(d->cmbWaarde, Qt::Key_Return);
        shot("-4-klaar");
        QTest::keyClick(d->btnKlaar, Qt::Key_Return);
    }
    static void addCriterion(FilterListDialog* d, const QString& field, const QString& op,
                             const QString& value, const QString& shots = {}) {
        whenShown<FilterCriterionDialog>(
            [=](FilterCriterionDialog* c) { compose(c, field, op, value, shots); });
        d->actToevoegen->trigger();
    }
    // The persons the window lists, as field values.
    QStringList listed(CollectivityWindow& w, const QString& field) {
        QStringList out;
        DataSet& p = w.state().persons();
        for (int i = 0; i < p.recordCount(); ++i)
            out << p.value(i, p.fieldIndex(field)).toString();
        return out;
    }
    int filters() { return db->scalar(QStringLiteral("select count(*) from Filters")).toInt(); }

    test::ScriptedPrompts prompts;
    test::RecordingPrinter printer;
    test::ScriptedDesktop desktop;
    test::ScriptedDialogs dialogs;
    Settings settings{dir.path()};
    CollectivityReports reports{catalogue, settings, prompts, printer, desktop};
};

} // namespace

TEST_F(FilterWindow, ComposeApplyStoreLiftAndReopenElsewhere) {
    auto w = open();
    const QStringList all = listed(*w, QStringLiteral("1002"));
    ASSERT_EQ(all.size(), 24);
    const QString letter = all.first().left(1);
    const int expected = int(std::count_if(
        all.begin(), all.end(), [&](const QString& s) { return s.startsWith(letter, Qt::CaseInsensitive); }));
    const QStringList genders = listed(*w, QStringLiteral("1008"));
    // The first person's gender: field 1008 reads every code but 2 as a man.
    const bool woman = genders.first() == QStringLiteral("2");
    const auto sameGender = [&](const QString& g) { return (g == QStringLiteral("2")) == woman; };

    whenShown<FilterListDialog>([&](FilterListDialog* d) {
        EXPECT_EQ(d->objectName(), QStringLiteral("dlgFilterLijst"));
        EXPECT_EQ(d->windowTitle(), QStringLiteral("Filter"));
        EXPECT_FALSE(d->btnOpheffen->isEnabled()); // the window shows no filter
        EXPECT_FALSE(d->actNieuw->isEnabled());
        EXPECT_FALSE(d->actBewerken->isEnabled());
        EXPECT_FALSE(d->actBewaren->isEnabled());
        addCriterion(d, QStringLiteral("Achternaam"), QStringLiteral("Begint met"), letter,
                     QStringLiteral("filtercriterium"));
        addCriterion(d, QStringLiteral("Geslacht"), QStringLiteral("="),
                     woman ? QStringLiteral("Vrouw") : QStringLiteral("Man"),
                     QStringLiteral("filtercriterium-keuzelijst"));
        ASSERT_EQ(d->grdCriteria->rowCount(), 2);
        EXPECT_EQ(d->grdCriteria->item(0, 0)->text(), QStringLiteral("Achternaam"));
        EXPECT_EQ(d->grdCriteria->item(0, 1)->text(), QStringLiteral("Begint met"));
        EXPECT_EQ(d->criteria()[1].Filter, woman ? QStringLiteral("[1008]=2") : QStringLiteral("[1008]=1"));
        EXPECT_TRUE(d->actBewaren->isEnabled());
        EXPECT_TRUE(d->actBewerken->isEnabled());
        test::saveScreenshot(d, QStringLiteral("filter-lijst"));

        whenShown<FilterNameDialog>([](FilterNameDialog* n) {
            EXPECT_EQ(n->objectName(), QStringLiteral("dlgFilterNaam"));
            EXPECT_EQ(n->windowTitle(), QStringLiteral("Filter opslaan"));
            EXPECT_FALSE(n->btnOk->isEnabled());
            QTest::keyClicks(n->editNaam, QStringLiteral("Mannen"));
            EXPECT_FALSE(n->btnOk->isEnabled());
            QTest::keyClicks(n->editGemaaktDoor, QStringLiteral("Piet"));
            EXPECT_TRUE(n->btnOk->isEnabled());
            test::saveScreenshot(n, QStringLiteral("filter-opslaan"));
            n->btnOk->click();
        });
        d->actBewaren->trigger();
        EXPECT_FALSE(d->actBewaren->isEnabled());
        d->btnToepassen->click();
    });
    w->actFilter->trigger();

    EXPECT_EQ(filters(), 1);
    EXPECT_EQ(w->personsPane()->header()->text(), QStringLiteral(" Verzekerden (filter actief)"));
    const QStringList names = listed(*w, QStringLiteral("1002"));
    int matching = 0;
    for (int i = 0; i < all.size(); ++i)
        matching += all[i].startsWith(letter, Qt::CaseInsensitive) && sameGender(genders[i]);
    EXPECT_EQ(names.size(), matching);
    EXPECT_LE(names.size(), expected);
    EXPECT_GT(names.size(), 0);
    for (const QString& g : listed(*w, QStringLiteral("1008")))
        EXPECT_TRUE(sameGender(g)) << g.toStdString();
    EXPECT_EQ(w->personsPane()->grid()->model()->rowCount(), matching);
    EXPECT_EQ(w->filterCriteria().size(), 2u);
    test::saveScreenshot(w.get(), QStringLiteral("filter-actief"));

    // Lifting: the list is whole again and the window keeps its criteria copy.
    whenShown<FilterListDialog>([&](FilterListDialog* d) {
        EXPECT_TRUE(d->btnOpheffen->isEnabled());
        EXPECT_EQ(d->grdCriteria->rowCount(), 2);
        EXPECT_EQ(d->model().filterId(), -1);
        d->btnOpheffen->click();
    });
    w->actFilter->trigger();
    EXPECT_EQ(w->personsPane()->header()->text(), QStringLiteral(" Verzekerden"));
    EXPECT_EQ(w->personsPane()->grid()->model()->rowCount(), 24);
    EXPECT_EQ(w->filterCriteria().size(), 2u);

    // The stored filter opened in a window of the other insurance type.
    auto other = open(InsuranceType::SicknessFundOrPrivate);
    const int before = other->personsPane()->grid()->model()->rowCount();
    whenShown<FilterListDialog>([&](FilterListDialog* d) {
        EXPECT_EQ(d->grdCriteria->rowCount(), 0);
        whenShown<FilterChooserDialog>([](FilterChooserDialog* c) {
            EXPECT_EQ(c->objectName(), QStringLiteral("dlgKiesFilter"));
            EXPECT_EQ(c->windowTitle(), QStringLiteral("Kies een filter"));
            ASSERT_EQ(c->grid->model()->rowCount(), 1);
            EXPECT_EQ(c->grid->model()->headerData(0, Qt::Horizontal).toString(),
                      QStringLiteral("FilterNr."));
            EXPECT_EQ(c->grid->model()->index(0, 1).data().toString(), QStringLiteral("Mannen"));
            test::saveScreenshot(c, QStringLiteral("filter-kiezen"));
            QTest::keyClick(c->grid, Qt::Key_Return); // nothing of its own: the default button
            if (c->isVisible()) c->accept();
        });
        d->actOpenen->trigger();
        EXPECT_EQ(d->grdCriteria->rowCount(), 2);
        EXPECT_GT(d->model().filterId(), 0);
        EXPECT_FALSE(d->actBewaren->isEnabled());
        d->btnToepassen->click();
    });
    other->actFilter->trigger();
    EXPECT_EQ(other->personsPane()->header()->text(), QStringLiteral(" Verzekerden (filter actief)"));
    EXPECT_LT(other->personsPane()->grid()->model()->rowCount(), before);
    EXPECT_TRUE(prompts.messages.empty()) << prompts.texts().join(u'|').toStdString();
}

TEST_F(FilterWindow, DateCriterionSelectsThoseBornBefore) {
    auto w = open();
    const QStringList born = listed(*w, QStringLiteral("1005"));
    // A date in the middle of the persons' birth dates, typed in the Dutch order.
    QStringList sorted = born;
    sorted.sort();
    const QDate middle = QDate::fromString(sorted[sorted.size() / 2].left(10), Qt::ISODate);
    ASSERT_TRUE(middle.isValid()) << sorted[0].toStdString();
    const int before = int(std::count_if(born.begin(), born.end(), [&](const QString& b) {
        return QDate::fromString(b.left(10), Qt::ISODate) < middle;
    }));
    ASSERT_GT(before, 0);

    whenShown<FilterListDialog>([&](FilterListDialog* d) {
        // A date that does not read keeps the criteria dialog open.
        whenShown<FilterCriterionDialog>([&](FilterCriterionDialog* c) {
            compose(c, QStringLiteral("Geboortedatum"), QStringLiteral("<"), QStringLiteral("31-31-2004"));
            EXPECT_TRUE(c->isVisible());
            ASSERT_EQ(prompts.messages.size(), 1u);
            EXPECT_EQ(prompts.messages[0].type, MsgType::Error);
            EXPECT_TRUE(
                prompts.texts()[0].startsWith(QStringLiteral("\"31-31-2004\" is geen geldige datum.")));
            QTest::keyClick(c->btnKlaar, Qt::Key_PageDown);
            EXPECT_EQ(c->pages->currentIndex(), 2);
            c->cmbWaarde->lineEdit()->clear();
            QTest::keyClicks(c->cmbWaarde->lineEdit(), middle.toString(QStringLiteral("dd-MM-yyyyy")));
            EXPECT_EQ(c->cmbWaarde->currentText(),
                      middle.toString(QStringLiteral("dd-MM-yyyy"))); // 10 at most
            c->goNext();
            c->finish();
        });
        d->actToevoegen->trigger();
        EXPECT_EQ(d->criteria()[0].Filter,
                  QStringLiteral("[1005]<#") + middle.toString(QStringLiteral("MM-dd-yyyy")) + u'#');
        d->btnToepassen->click();
    });
    w->actFilter->trigger();
    EXPECT_EQ(w->personsPane()->grid()->model()->rowCount(), before);
}

TEST_F(FilterWindow, QuotesInAValueStayInTheValue) {
    auto w = open();
    for (const QString& value : {QStringLiteral("O'Brien"), QStringLiteral("x' OR '1'='1")}) {
        whenShown<FilterListDialog>([&](FilterListDialog* d) {
            whenShown<FilterCriterionDialog>([&](FilterCriterionDialog* c) {
                compose(c, QStringLiteral("Achternaam"), QStringLiteral("="), value);
            });
            d->actNieuw->trigger();
            d->actToevoegen->trigger();
            EXPECT_EQ(d->criteria()[0].WaardeReal, value);
            d->btnToepassen->click();
        });
        w->actFilter->trigger();
        EXPECT_EQ(w->personsPane()->header()->text(), QStringLiteral(" Verzekerden (filter actief)"));
        EXPECT_EQ(w->personsPane()->grid()->model()->rowCount(), 0) << value.toStdString();
    }
    for (const auto& m : prompts.messages)
        EXPECT_EQ(m.type, MsgType::Confirmation) << m.text.toStdString();

    // The value box takes 30 characters, what the stored value holds.
    whenShown<FilterListDialog>([&](FilterListDialog* d) {
        addCriterion(d, QStringLiteral("Woonplaats"), QStringLiteral("Bevat"), QString(35, u'a'));
        EXPECT_EQ(d->criteria().back().WaardeReal, QString(30, u'a'));
        d->btnSluiten->click();
    });
    w->actFilter->trigger();
}

TEST_F(FilterWindow, EditingOpensOnTheValuePageAndCancelKeepsTheWindowCopy) {
    auto w = open();
    whenShown<FilterListDialog>([&](FilterListDialog* d) {
        addCriterion(d, QStringLiteral("Verzekering"), QStringLiteral("<>"), QStringLiteral("Ziekenfonds"));
        EXPECT_EQ(d->criteria()[0].WaardeReal, QStringLiteral("Z"));
        whenShown<FilterCriterionDialog>([](FilterCriterionDialog* c) {
            EXPECT_EQ(c->objectName(), QStringLiteral("DlgFilterCrit"));
            EXPECT_EQ(c->pages->currentIndex(), 2);
            EXPECT_EQ(c->lstVeld->currentItem()->text(), QStringLiteral("Verzekering"));
            EXPECT_EQ(c->cmbOperator->currentText(), QStringLiteral("<>"));
            EXPECT_EQ(c->cmbOperator->count(), 3);
            EXPECT_EQ(c->cmbWaarde->currentText(), QStringLiteral("Ziekenfonds"));
            EXPECT_TRUE(c->btnVolgende->isEnabled());
            EXPECT_FALSE(c->btnKlaar->isEnabled());
            test::saveScreenshot(c, QStringLiteral("filtercriterium-bewerken"));
            QTest::keyClick(c->cmbWaarde, Qt::Key_Escape);
        });
        d->actBewerken->trigger();
        EXPECT_EQ(d->criteria()[0].OperatorDisplay, QStringLiteral("<>"));
        d->btnSluiten->click();
    });
    w->actFilter->trigger();
    EXPECT_TRUE(w->filterCriteria().empty()); // closed with Cancel
}

// Nothing is chosen until the user chooses: the list making its first row
// current when it gets the focus is no choice, and Enter then does nothing.
TEST_F(FilterWindow, ACriterionStartsWithoutAFieldAndEnterChoosesNone) {
    auto w = open();
    whenShown<FilterListDialog>([&](FilterListDialog* d) {
        whenShown<FilterCriterionDialog>([&](FilterCriterionDialog* c) {
            QFocusEvent focus(QEvent::FocusIn, Qt::TabFocusReason);
            QApplication::sendEvent(c->lstVeld, &focus);
            QTest::keyClick(c->lstVeld, Qt::Key_Return);
            EXPECT_EQ(c->pages->currentIndex(), 0);
            EXPECT_TRUE(c->lstVeld->selectedItems().isEmpty());
            for (QPushButton* b : {c->btnVorige, c->btnVolgende, c->btnKlaar})
                EXPECT_FALSE(b->isEnabled()) << b->objectName().toStdString();
            test::saveScreenshot(c, QStringLiteral("filtercriterium-nieuw"));

            // The first arrow key chooses the first field; then Enter moves on.
            QTest::keyClick(c->lstVeld, Qt::Key_Down);
            ASSERT_EQ(c->lstVeld->selectedItems().size(), 1);
            EXPECT_EQ(c->lstVeld->row(c->lstVeld->selectedItems()[0]), 0);
            EXPECT_TRUE(c->btnVolgende->isEnabled());
            EXPECT_FALSE(c->btnKlaar->isEnabled());
            test::saveScreenshot(c, QStringLiteral("filtercriterium-veld-gekozen"));
            QTest::keyClick(c->lstVeld, Qt::Key_Return);
            EXPECT_EQ(c->pages->currentIndex(), 1);
            EXPECT_TRUE(c->btnVorige->isEnabled());
            EXPECT_FALSE(c->btnVolgende->isEnabled()); // no operator yet
            c->reject();
        });
        d->actToevoegen->trigger();
        EXPECT_TRUE(d->criteria().empty());
        d->btnSluiten->click();
    });
    w->actFilter->trigger();
}
