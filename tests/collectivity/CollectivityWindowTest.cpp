// The collectivity window offscreen: what the user sees in each state.
#include "collectivity/ui/CollectivityWindow.h"
#include "ModalDialogs.h"
#include "Screenshots.h"
#include "WindowFixture.h"
#include "collectivity/ui/CollectivityDetailsDialog.h"
#include "collectivity/ui/DetailPane.h"
#include "collectivity/ui/FooterBar.h"
#include "collectivity/ui/ListPane.h"
#include "collectivity/ui/PeriodDialog.h"
#include "collectivity/ui/PremiumPeriodDialog.h"
#include "collectivity/ui/StatementGrid.h"
#include "core/Settings.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>
#include <QToolButton>

using namespace ostrapel;

namespace {

class StatementWindow : public test::WindowFixture {};

} // namespace

TEST_F(StatementWindow, FirstOpeningShowsThePersonsAndTheirComponents) {
    auto w = open();
    EXPECT_EQ(w->personsPane()->header()->text(), QStringLiteral(" Verzekerden"));
    EXPECT_EQ(w->periodLabel()->text(), QStringLiteral("Geen periode ingesteld"));
    EXPECT_EQ(w->searchFieldLabel()->text(), QStringLiteral("Achternaam"));
    EXPECT_EQ(w->personsPane()->footer()->text(2), QStringLiteral("24 records "));
    EXPECT_EQ(w->personsPane()->footer()->text(3), QStringLiteral("Hoofdverzekerde"));
    EXPECT_EQ(w->personsPane()->footer()->text(4), QStringLiteral("Verz. eenheid UIT"));
    EXPECT_TRUE(w->componentsPane()->isVisible());
    EXPECT_TRUE(w->actToonComponenten->isChecked());
    EXPECT_FALSE(w->actIndividueel->isEnabled());
    EXPECT_TRUE(w->actGezamelijk->isEnabled());
    EXPECT_EQ(w->componentsPane()->footer()->text(6), QStringLiteral("Individueel/"));
    EXPECT_EQ(w->personsPane()->grid()->model()->headerData(0, Qt::Horizontal).toString(),
              QStringLiteral(" "));
    EXPECT_EQ(w->personsPane()->grid()->model()->rowCount(), 24);
    EXPECT_GT(w->componentsPane()->grid()->model()->rowCount(), 0);
    EXPECT_TRUE(w->componentsPane()->footer()->text(2).endsWith(QStringLiteral(" records ")));
    test::saveScreenshot(w.get(), QStringLiteral("borderel-geopend"));
}

TEST_F(StatementWindow, SearchSortUnitViewAndComponentsPane) {
    auto w = open();
    QTest::keyClicks(w->searchBox(), QStringLiteral("b"));
    EXPECT_EQ(w->searchBox()->text(), QStringLiteral("B"));
    QTest::keyClick(w->searchBox(), Qt::Key_Return);
    EXPECT_EQ(w->state().personsQuery().lines()[3], QStringLiteral("AND BORD10.[1002] like 'B%'"));
    const int found = w->personsPane()->grid()->model()->rowCount();
    EXPECT_LT(found, 24);
    test::saveScreenshot(w.get(), QStringLiteral("borderel-zoeken"));
    w->searchBox()->clear();
    QTest::keyClick(w->searchBox(), Qt::Key_Enter);
    EXPECT_EQ(w->personsPane()->grid()->model()->rowCount(), 24);

    w->sortPersonsByColumn(w->personsPane()->grid()->columnOfField(QStringLiteral("ID04")));
    EXPECT_EQ(w->state().persons().sortFields(), QStringLiteral("ID04, 1002, 1003, 1004"));
    EXPECT_EQ(w->searchFieldLabel()->text(), QStringLiteral("Werknemernr."));
    EXPECT_EQ(w->personsPane()->grid()->sortField(), QStringLiteral("ID04"));

    w->actVerzEenheid->trigger();
    EXPECT_EQ(w->personsPane()->footer()->text(4), QStringLiteral("Verz. eenheid AAN"));
    EXPECT_LT(w->personsPane()->grid()->model()->rowCount(), 24);
    test::saveScreenshot(w.get(), QStringLiteral("borderel-eenheid"));
    w->actGezamelijk->trigger();
    EXPECT_EQ(w->componentsPane()->footer()->text(6), QStringLiteral("Gezamenlijk/"));
    w->actVerzEenheid->trigger();
    EXPECT_EQ(w->personsPane()->footer()->text(4), QStringLiteral("Verz. eenheid UIT"));
    EXPECT_EQ(w->componentsPane()->footer()->text(6),
              QStringLiteral("Individueel/")); // off again: individual mode

    w->chooseDropDown(ComponentsQuery::Herkomst, 1);
    EXPECT_EQ(w->componentsPane()->footer()->text(6), QStringLiteral("Individueel/Herkomst = PROL/"));
    EXPECT_TRUE(w->dropDownButton(ComponentsQuery::Herkomst)->menu()->actions()[1]->isChecked());

    w->actToonComponenten->trigger();
    EXPECT_FALSE(w->componentsPane()->isVisible());
    test::saveScreenshot(w.get(), QStringLiteral("borderel-zonder-componenten"));
}

// Field names from a user's settings file that the catalogue does not know never
// reach the SQL text: the window sorts and searches on 1002 instead.
TEST_F(StatementWindow, UnknownFieldNamesInTheSettingsFileAreDropped) {
    // a person of collectivity 13 that a widened search would list
    db->execute(QStringLiteral("insert into bord10 (ID01, ID02, ID03, ID04, ID05, ID07, [1002], [1024]) "
                               "values (13, 1, '2006-01', 'W1', 'E13', 'K13', 'BUITEN', 'Z')"));
    const QString section = windowSection(QStringLiteral("0012001"));
    const QString hostile[] = {
        QStringLiteral("1002] like '' OR 1=1 OR [1002"),
        QStringLiteral("1002] like ''; INSERT INTO Filters (FilterNaam, GemaaktDoor) VALUES ('INJECTED', "
                       "'ini'); SELECT * FROM bord10 WHERE [1002"),
        QStringLiteral("1002x"),
    };
    for (const QString& field : hostile) {
        settings.writeString(QStringLiteral("IndexField10"), field, section);
        settings.writeString(QStringLiteral("IndexField50"), field, section);
        settings.writeString(QStringLiteral("FieldOrder10"),
                             QStringLiteral("ID04=1,") + field + QStringLiteral("=1,1002=1"), section);
        auto w = open();
        EXPECT_EQ(w->state().personsSide().sortField, QStringLiteral("1002"));
        EXPECT_TRUE(w->state().componentsSide().sortField.isEmpty());
        EXPECT_EQ(w->state().personsSide().fieldOrder, QStringLiteral("ID04=1,1002=1"));
        QTest::keyClicks(w->searchBox(), QStringLiteral("b"));
        QTest::keyClick(w->searchBox(), Qt::Key_Return);
        EXPECT_EQ(w->state().personsQuery().lines()[3], QStringLiteral("AND BORD10.[1002] like 'B%'"));
        const DataSet& listed = w->state().persons();
        EXPECT_GT(listed.recordCount(), 0);
        for (int row = 0; row < listed.recordCount(); ++row)
            EXPECT_NE(listed.value(row, listed.fieldIndex(QStringLiteral("ID07"))).toString(),
                      QStringLiteral("K13"));
        w->close();
    }
    EXPECT_EQ(
        db->scalar(QStringLiteral("select count(*) from Filters where FilterNaam = 'INJECTED'")).toInt(), 0);
}

TEST_F(StatementWindow, HoldingAScrollKeyPausesTheComponents) {
    auto w = open();
    w->setPauseInterval(0); // the pause is due at the next pass of the event loop
    const int runs = w->state().componentRuns();
    QTest::keyPress(w->searchBox(), Qt::Key_Down);
    EXPECT_EQ(w->state().persons().recNo(), 1);
    EXPECT_EQ(w->state().componentRuns(), runs + 1);
    EXPECT_FALSE(w->state().paused());
    QCoreApplication::processEvents();
    EXPECT_TRUE(w->state().paused());
    QTest::keyPress(w->searchBox(), Qt::Key_PageDown);
    EXPECT_EQ(w->state().persons().recNo(), 11);
    EXPECT_EQ(w->state().componentRuns(), runs + 1); // not re-run while paused
    QTest::keyRelease(w->searchBox(), Qt::Key_PageDown);
    EXPECT_FALSE(w->state().paused());
    EXPECT_EQ(w->state().componentRuns(), runs + 2); // once for the row reached
}

TEST_F(StatementWindow, PeriodAndStoredStateAcrossReopening) {
    {
        auto w = open();
        dialogs.answer = [](QDialog& d) {
            auto& dialog = dynamic_cast<PremiumPeriodDialog&>(d);
            EXPECT_TRUE(dialog.rbAlles->isChecked()); // no period set yet
            EXPECT_EQ(dialog.choice().months().size(), 2);
            dialog.rbMaand->setChecked(true);
            dialog.cbFactuurmaand1->setCurrentText(QStringLiteral("2006-01"));
            EXPECT_EQ(dialog.periodSetting(), QStringLiteral("2006-01;2006-01"));
            return int(QDialog::Accepted);
        };
        w->actVeranderPeriode->trigger();
        EXPECT_EQ(w->periodLabel()->text(), QStringLiteral("Maand 2006-01"));
        w->actToonComponenten->trigger(); // hidden when closed
        w->close();
    }
    auto again = open();
    EXPECT_EQ(again->periodLabel()->text(), QStringLiteral("Maand 2006-01"));
    EXPECT_FALSE(again->componentsPane()->isVisible());
    auto type1 = open(InsuranceType::SicknessFundOrPrivate); // the type 1 window keeps its own period
    EXPECT_EQ(type1->periodLabel()->text(), QStringLiteral("Geen periode ingesteld"));
}

TEST_F(StatementWindow, PeriodDialogs) {
    const QStringList months = {QStringLiteral("2006-01"), QStringLiteral("2006-02"),
                                QStringLiteral("2006-03")};
    PremiumPeriodDialog dialog(months, QStringLiteral("2006-03;2006-03"));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Kies periode"));
    EXPECT_TRUE(dialog.rbMaand->isChecked());
    EXPECT_EQ(dialog.cbFactuurmaand1->currentText(), QStringLiteral("2006-03"));
    EXPECT_FALSE(dialog.cbFactuurmaand2->isEnabled());
    test::saveScreenshot(&dialog, QStringLiteral("kies-periode"));
    dialog.rbPeriode->setChecked(true);
    dialog.cbFactuurmaand2->setCurrentIndex(2);
    dialog.cbFactuurmaand3->setCurrentIndex(0);
    EXPECT_FALSE(dialog.okButton()->isEnabled());
    dialog.cbFactuurmaand3->setCurrentIndex(-1);
    EXPECT_TRUE(dialog.okButton()->isEnabled());
    EXPECT_EQ(dialog.periodSetting(), QStringLiteral("2006-03"));

    test::ScriptedPrompts answers;
    PeriodDialog compare(months, answers);
    EXPECT_EQ(compare.cbMaandTot->currentText(), QStringLiteral("2006-03"));
    compare.cbMaandVan->setCurrentIndex(2);
    EXPECT_FALSE(compare.okButton()->isEnabled());
    compare.cbMaandVan->setCurrentIndex(0);
    EXPECT_TRUE(compare.okButton()->isEnabled());
    test::saveScreenshot(&compare, QStringLiteral("vergelijk-periode"));
    answers.answers = {MsgButton::No};
    compare.accept();
    EXPECT_EQ(compare.result(), QDialog::Rejected);
    EXPECT_EQ(answers.texts(),
              QStringList{QStringLiteral("Deze bewerking kan enige tijd in beslag nemen. Wilt u doorgaan?")});
}

TEST_F(StatementWindow, TheDialogsBehindTheCommands) {
    auto w = open();
    dialogs.answer = [](QDialog& d) { return d.exec(); }; // the modal loops, as in the program
    {
        test::NextModal month([](QWidget* d) {
            EXPECT_EQ(d->windowTitle(), QStringLiteral("Kies periode"));
            test::childWithText<QRadioButton>(d, QStringLiteral("Maand"))->click();
            QComboBox* months = d->findChildren<QComboBox*>().first();
            months->setCurrentIndex(months->findText(QStringLiteral("2006-02")));
            test::saveScreenshot(d, QStringLiteral("kies-periode-modaal"));
            test::dialogButton(d, QDialogButtonBox::Ok)->click();
        });
        w->actVeranderPeriode->trigger();
    }
    EXPECT_EQ(w->periodLabel()->text(), QStringLiteral("Maand 2006-02"));

    QString hidden;
    {
        test::NextModal fieldOrder([&](QWidget* d) {
            EXPECT_EQ(d->windowTitle(), QStringLiteral("Grid veldinstellingen"));
            auto* list = d->findChild<QListWidget*>();
            for (int r = 0; r < list->count() && hidden.isEmpty(); ++r) {
                QListWidgetItem* item = list->item(r);
                if (!(item->flags() & Qt::ItemIsUserCheckable) || item->checkState() != Qt::Checked) continue;
                hidden = item->text();
                item->setCheckState(Qt::Unchecked);
            }
            test::dialogButton(d, QDialogButtonBox::Ok)->click();
        });
        w->actVeranderVeldVolgorde->trigger();
    }
    ASSERT_FALSE(hidden.isEmpty());
    for (int c = 0; c < w->personsPane()->grid()->model()->columnCount(); ++c)
        EXPECT_NE(w->personsPane()->grid()->model()->headerData(c, Qt::Horizontal).toString(), hidden);

    {
        test::NextModal sortField([](QWidget* d) {
            EXPECT_EQ(d->windowTitle(), QStringLiteral("Kies sorteerveld"));
            QTest::keyClicks(d->findChild<QLineEdit*>(), QStringLiteral("woon"));
            test::dialogButton(d, QDialogButtonBox::Ok)->click();
        });
        QTest::keyClick(w->searchBox(), Qt::Key_F4);
    }
    EXPECT_EQ(w->state().personsSide().sortField, QStringLiteral("1017"));

    {
        test::NextModal details([](QWidget* d) {
            EXPECT_EQ(d->windowTitle(), QStringLiteral("Collectiviteit"));
            auto* dialog = qobject_cast<CollectivityDetailsDialog*>(d);
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(dialog->historyGrid()->model()->rowCount(), 4); // the four imported statements
            QTest::keyClick(d, Qt::Key_Escape);
        });
        w->actCollDetails->trigger();
    }
}
