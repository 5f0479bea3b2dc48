// Detail panes, the grid ring and its keys, field order, the sort-field picker
// and the collectivity details.
#include "Screenshots.h"
#include "WindowFixture.h"
#include "collectivity/CollectivityDetails.h"
#include "collectivity/FieldOrderEditor.h"
#include "collectivity/SortFieldPicker.h"
#include "collectivity/ui/CollectivityDetailsDialog.h"
#include "collectivity/ui/CollectivityWindow.h"
#include "collectivity/ui/DetailPane.h"
#include "collectivity/ui/FieldOrderDialog.h"
#include "collectivity/ui/FooterBar.h"
#include "collectivity/ui/ListPane.h"
#include "collectivity/ui/PremiumTrendPage.h"
#include "collectivity/ui/SortFieldDialog.h"
#include "collectivity/ui/StatementGrid.h"
#include "core/Settings.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QBarCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

using namespace ostrapel;

namespace {

class WindowLayout : public test::WindowFixture {
protected:
    void key(CollectivityWindow& w, Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) {
        QTest::keyClick(w.searchBox(), k, m);
    }
};

} // namespace

TEST_F(WindowLayout, FirstOpeningDefaultsAndDetailValues) {
    auto w = open();
    EXPECT_TRUE(w->actToonDI10Details->isChecked());
    EXPECT_FALSE(w->personsPane()->detailPanel()->isHidden());
    EXPECT_FALSE(w->actToonDI50Details->isChecked());
    EXPECT_TRUE(w->componentsPane()->detailPanel()->isHidden());
    EXPECT_EQ(w->ring().active(), GridRing::Persons);
    EXPECT_EQ(w->personsPane()->detail()->horizontalHeaderItem(0)->text(), QStringLiteral("Veld"));
    EXPECT_EQ(w->personsPane()->detail()->horizontalHeaderItem(1)->text(), QStringLiteral("Waarde"));
    // a date as dd-mm-yyyy, a code by its description
    const QString born = w->personsPane()->detail()->valueOfField(QStringLiteral("1005"));
    EXPECT_TRUE(QRegularExpression(QStringLiteral(R"(^\d\d-\d\d-\d\d\d\d$)")).match(born).hasMatch())
        << born.toStdString();
    EXPECT_TRUE(
        QStringList({QStringLiteral("Hoofdverzekerde"), QStringLiteral("Partner"), QStringLiteral("Kind")})
            .contains(w->personsPane()->detail()->valueOfField(QStringLiteral("1007"))));
    EXPECT_EQ(w->personsPane()->detail()->valueOfField(QStringLiteral("1024")),
              QStringLiteral("Standaardverzekering"));
    test::saveScreenshot(w.get(), QStringLiteral("borderel-details"));

    // a negative amount with a trailing "-"
    w->actToonDI50Details->trigger();
    DataSet& c = w->state().components();
    for (int r = 0; r < c.recordCount(); ++r)
        c.setRecNo(r); // the inspector shows the current row
    db->execute(QStringLiteral("update bord50 set [5008] = -12.5 where ID07 = :k"),
                {{QStringLiteral("k"), w->state().persons().value(QStringLiteral("ID07"))}});
    w->movePersons(1);
    w->movePersons(-1);
    EXPECT_EQ(w->componentsPane()->detail()->valueOfField(QStringLiteral("5008")), QStringLiteral("12,50-"));
    test::saveScreenshot(w.get(), QStringLiteral("borderel-beide-details"));
}

TEST_F(WindowLayout, KeysDriveTheActiveGrid) {
    auto w = open();
    w->actToonComponenten->trigger(); // components pane hidden
    key(*w, Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(w->ring().active(), GridRing::PersonsDetail); // the hidden components grids are skipped
    key(*w, Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(w->ring().active(), GridRing::Persons);
    key(*w, Qt::Key_Left, Qt::ControlModifier);
    EXPECT_EQ(w->ring().active(), GridRing::PersonsDetail);

    // Page Down on the persons detail grid moves the persons list 10 rows
    const int before = w->state().persons().recNo();
    key(*w, Qt::Key_PageDown);
    EXPECT_EQ(w->state().persons().recNo(), before + 10);
    // Up and Down move the detail grid's selection
    w->personsPane()->detail()->selectRow(0);
    key(*w, Qt::Key_Down);
    EXPECT_EQ(w->personsPane()->detail()->currentRow(), 1);
    key(*w, Qt::Key_End);
    EXPECT_EQ(w->personsPane()->detail()->currentRow(), w->personsPane()->detail()->rowCount() - 1);
    // Enter searches from the persons side only
    w->searchBox()->setText(QStringLiteral("ZZ"));
    key(*w, Qt::Key_Return);
    EXPECT_EQ(w->state().persons().recordCount(), 0);

    // F8 hides the active side's detail pane
    key(*w, Qt::Key_F8);
    EXPECT_TRUE(w->personsPane()->detailPanel()->isHidden());
    EXPECT_FALSE(w->actToonDI10Details->isChecked());
    w->activateGrid(GridRing::Persons);
    key(*w, Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(w->ring().active(), GridRing::Persons); // nothing else is showing
}

TEST_F(WindowLayout, FieldOrderDialogAndColumnDrag) {
    auto w = open();
    // a stored order that lacks fields gets them appended unchecked
    w->state().personsSide().fieldOrder = QStringLiteral("1003=1,1002=1");
    QString offered, answered;
    dialogs.answer = [&](QDialog& d) {
        auto& dialog = dynamic_cast<FieldOrderDialog&>(d);
        offered = dialog.fieldOrder();
        // "Woonplaats" (1017) from hidden to checked to greyed: a detail row only
        for (int click = 0; click < 2; ++click) {
            const QList<QListWidgetItem*> items =
                dialog.list()->findItems(QStringLiteral("Woonplaats"), Qt::MatchExactly);
            EXPECT_EQ(items.size(), 1);
            if (items.isEmpty()) return int(QDialog::Rejected);
            items[0]->setCheckState(click == 0 ? Qt::Checked : Qt::PartiallyChecked);
        }
        answered = dialog.fieldOrder();
        return int(QDialog::Accepted);
    };
    w->actVeranderVeldVolgorde->trigger();
    EXPECT_TRUE(offered.startsWith(QStringLiteral("1003=1,1002=1,ID04=0,ID05=0")));
    EXPECT_TRUE(answered.contains(QStringLiteral(",1017=2"))) << answered.toStdString();
    // greyed: a detail row without a column; unchecked: neither
    EXPECT_EQ(w->personsPane()->grid()->columnOfField(QStringLiteral("1017")), -1);
    EXPECT_FALSE(w->personsPane()->detail()->valueOfField(QStringLiteral("1017")).isEmpty());
    EXPECT_EQ(w->personsPane()->grid()->columnOfField(QStringLiteral("ID04")), -1);
    EXPECT_EQ(w->personsPane()->grid()->fieldOfColumn(1), QStringLiteral("1003"));
    EXPECT_EQ(w->state().personsSide().fieldOrder, answered);

    // dragging a column writes the fields with columns only
    w->personsPane()->grid()->horizontalHeader()->moveSection(2, 1);
    EXPECT_EQ(w->state().personsSide().fieldOrder, QStringLiteral("1002=1,1003=1"));
}

namespace {
// Column titles in the order the user sees them, the marker column left out.
QStringList shownTitles(const StatementGrid* g) {
    QStringList out;
    for (const ColumnState& c : g->visualColumns())
        if (!c.fieldName.isEmpty() && c.visible)
            out << g->model()->headerData(g->columnOfField(c.fieldName), Qt::Horizontal).toString();
    return out;
}
} // namespace

// A dragged column stays where it was dropped through every later query, and
// the order stored at closing is the order on the screen.
TEST_F(WindowLayout, DraggedColumnsStayPut) {
    auto w = open();
    StatementGrid* g = w->componentsPane()->grid();
    QHeaderView* h = g->horizontalHeader();
    ASSERT_EQ(shownTitles(g).mid(0, 3), QStringList({QStringLiteral("Factuurmaand"),
                                                     QStringLiteral("Herkomst"), QStringLiteral("Soort")}));
    h->moveSection(h->visualIndex(g->columnOfField(QStringLiteral("5003"))), 1);
    const QStringList dragged = shownTitles(g);
    EXPECT_EQ(dragged.mid(0, 3), QStringList({QStringLiteral("Soort"), QStringLiteral("Factuurmaand"),
                                              QStringLiteral("Herkomst")}));
    const int width = 140;
    g->setColumnWidth(g->columnOfField(QStringLiteral("5002")), width);
    w->movePersons(1);
    EXPECT_EQ(shownTitles(g), dragged);
    EXPECT_EQ(g->columnWidth(g->columnOfField(QStringLiteral("5002"))), width);

    StatementGrid* p = w->personsPane()->grid();
    p->horizontalHeader()->moveSection(
        p->horizontalHeader()->visualIndex(p->columnOfField(QStringLiteral("1003"))), 1);
    const QStringList titles = shownTitles(p);
    w->actToonSamengesteldeAchternaam->trigger();
    w->search();
    EXPECT_EQ(shownTitles(p), titles);

    w->close();
    const QString section = windowSection(w->windowKey());
    EXPECT_TRUE(settings.readString(WindowSettingKeys::FieldOrder50, {}, section)
                    .startsWith(QStringLiteral("5003=1,ID03=1,5002=1")));
    EXPECT_TRUE(settings.readString(WindowSettingKeys::FieldOrder10, {}, section)
                    .startsWith(QStringLiteral("1003=1,")));
}

TEST_F(WindowLayout, FieldOrderEditorRules) {
    FieldOrderEditor e(catalogue, QStringLiteral("1003=1,1002=0,1017=2,9999=1"));
    ASSERT_EQ(e.entries().size(), 4u);
    EXPECT_EQ(e.entries()[0].caption, QStringLiteral("Voorletters"));
    EXPECT_TRUE(e.entries()[1].fixed); // 1002 is always shown
    EXPECT_EQ(e.entries()[1].state, 1);
    e.cycle(1);
    EXPECT_EQ(e.entries()[1].state, 1);
    e.cycle(0);
    EXPECT_EQ(e.entries()[0].state, 2);
    e.cycle(0);
    EXPECT_EQ(e.entries()[0].state, 0);
    EXPECT_FALSE(e.canMoveUp(0));
    EXPECT_FALSE(e.canMoveDown(3));
    EXPECT_EQ(e.moveDown(0), 1);
    EXPECT_EQ(e.result(), QStringLiteral("1002=1,1003=0,1017=2,9999=1"));

    FieldOrderDialog dialog(catalogue, e.result());
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Grid veldinstellingen"));
    EXPECT_EQ(dialog.list()->currentRow(), 0);
    EXPECT_FALSE(dialog.actItemUp->isEnabled());
    EXPECT_TRUE(dialog.actItemDown->isEnabled());
    EXPECT_EQ(dialog.list()->item(2)->checkState(), Qt::PartiallyChecked);
    dialog.list()->setCurrentRow(3);
    dialog.actItemUp->trigger();
    EXPECT_EQ(dialog.fieldOrder(), QStringLiteral("1002=1,1003=0,9999=1,1017=2"));
    test::saveScreenshot(&dialog, QStringLiteral("grid-veldinstellingen"));
}

TEST_F(WindowLayout, SortFieldPicker) {
    auto w = open();
    std::optional<int> offeredSelection;
    dialogs.answer = [&](QDialog& d) {
        auto& dialog = dynamic_cast<SortFieldDialog&>(d);
        offeredSelection = dialog.list()->currentRow();
        test::saveScreenshot(&dialog, QStringLiteral("kies-sorteerveld"));
        QTest::keyClicks(dialog.searchBox(), QStringLiteral("woon"));
        EXPECT_EQ(dialog.chosen()->title, QStringLiteral("Woonplaats"));
        return int(QDialog::Accepted);
    };
    QTest::keyClick(w->searchBox(), Qt::Key_F4);
    EXPECT_EQ(offeredSelection, 0); // sorted on 1002, 1003, 1004: the first entry
    EXPECT_EQ(w->state().personsSide().sortField, QStringLiteral("1017"));
    EXPECT_EQ(w->personsPane()->grid()->horizontalHeader()->logicalIndex(1),
              w->personsPane()->grid()->columnOfField(QStringLiteral("1017")));

    SortFieldPicker p({{QStringLiteral("Woonplaats"), QStringLiteral("1017"), 3},
                       {QStringLiteral("Achternaam"), QStringLiteral("1002"), 1}},
                      QStringLiteral("1017"));
    EXPECT_EQ(p.items()[0].title, QStringLiteral("Achternaam"));
    EXPECT_EQ(p.selected(), 1);
    p.search(QStringLiteral("zz"));
    EXPECT_EQ(p.chosen(), nullptr);
}

TEST_F(WindowLayout, CollectivityDetailsNewestFirst) {
    CollectivityDetails details(*db, catalogue, {12, 1});
    DataSet& h = details.history();
    ASSERT_EQ(h.recordCount(), 4);
    for (int r = 1; r < h.recordCount(); ++r)
        EXPECT_GE(h.value(r - 1, h.fieldIndex(QStringLiteral("9902"))).toDate(),
                  h.value(r, h.fieldIndex(QStringLiteral("9902"))).toDate());
    EXPECT_EQ(h.value(0, h.fieldIndex(QStringLiteral("ID03"))).toString(), QStringLiteral("2006-02"));
    CollectivityDetailsDialog dialog(details, catalogue, InsuranceType::Standard, prompts,
                                     settings.exportDir());
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Collectiviteit"));
    EXPECT_EQ(dialog.height(), 351);
    EXPECT_GE(dialog.width(), 599);
    EXPECT_EQ(dialog.pages()->tabText(0), QStringLiteral("&Gegevens"));
    EXPECT_EQ(dialog.pages()->tabText(1), QStringLiteral("&Import geschiedenis"));
    EXPECT_EQ(dialog.detailPane()->valueOfField(QStringLiteral("0003")),
              QStringLiteral("Bakkerij De Korenschoof BV"));
    EXPECT_EQ(dialog.detailPane()->valueOfField(QStringLiteral("0009")),
              QString()); // hidden for record type 00
    EXPECT_EQ(dialog.historyGrid()->model()->headerData(1, Qt::Horizontal).toString(),
              QStringLiteral("Aanmaak datum"));
    test::saveScreenshot(&dialog, QStringLiteral("collectiviteit"));
    dialog.pages()->setCurrentIndex(1);
    test::saveScreenshot(&dialog, QStringLiteral("collectiviteit-historie"));
    // every title and value reads whole, and no column falls off the page
    QTableView* grid = dialog.historyGrid();
    QApplication::processEvents();
    const QFontMetrics fm = grid->fontMetrics();
    EXPECT_LE(grid->rowHeight(0), fm.height() + 8);
    int right = 0;
    for (int c = 0; c < grid->model()->columnCount(); ++c) {
        const QString title = grid->model()->headerData(c, Qt::Horizontal).toString();
        EXPECT_GT(grid->columnWidth(c), fm.horizontalAdvance(title)) << title.toStdString();
        for (int r = 0; r < grid->model()->rowCount(); ++r)
            EXPECT_GT(grid->columnWidth(c),
                      fm.horizontalAdvance(grid->model()->index(r, c).data().toString()));
        right = std::max(right, grid->columnViewportPosition(c) + grid->columnWidth(c));
    }
    EXPECT_LE(right, grid->viewport()->width());
}

TEST_F(WindowLayout, PremiumTrendOfThreeMonths) {
    importPeriods({QStringLiteral("2006-03")});
    CollectivityDetails details(*db, catalogue, {12, 1});
    CollectivityDetailsDialog dialog(details, catalogue, InsuranceType::Standard, prompts,
                                     settings.exportDir());
    dialog.show();
    EXPECT_EQ(dialog.pages()->tabText(2), QStringLiteral("&Premieverloop"));
    dialog.pages()->setCurrentIndex(2);
    QApplication::processEvents();
    PremiumTrendPage* page = dialog.trendPage();
    // the type's months only, from the one query
    const QList<TrendMonth> months = PremiumTrend::read(*db, {12, 1}, InsuranceType::Standard);
    ASSERT_EQ(months.size(), 3);
    const auto axes = page->chartView()->chart()->axes(Qt::Horizontal);
    ASSERT_EQ(axes.size(), 1);
    EXPECT_EQ(qobject_cast<QBarCategoryAxis*>(axes.first())->categories(),
              (QStringList{QStringLiteral("2006-01"), QStringLiteral("2006-02"), QStringLiteral("2006-03")}));

    // pointing anywhere in a month's column shows that month's figures
    for (int i : {1, 0, 2}) {
        QTest::mouseMove(page->chartView()->viewport(), page->monthCentre(i));
        EXPECT_EQ(page->figures()->text(), PremiumTrend::describe(months[i]));
    }
    QTest::mouseMove(page->chartView()->viewport(), QPoint(1, 1)); // outside the plot: stays
    EXPECT_EQ(page->figures()->text(), PremiumTrend::describe(months[2]));
    test::saveScreenshot(&dialog, QStringLiteral("collectiviteit-premieverloop"));

    // saved as PNG through the save dialog; cancelled, or refused, nothing is written
    const QString png = dir.filePath(QStringLiteral("trend.png"));
    prompts.saveNames = {png, QString(), dir.filePath(QStringLiteral("geen-map/trend.png"))};
    page->saveButton()->click();
    EXPECT_EQ(prompts.saveStarts.value(0),
              QDir(settings.exportDir()).filePath(QStringLiteral("Premieverloop 12-1.png")));
    EXPECT_EQ(prompts.saveFilters.value(0), QStringLiteral("PNG-afbeelding|*.png"));
    const QImage saved(png);
    EXPECT_FALSE(saved.isNull());
    EXPECT_EQ(saved.size(), page->chartView()->grab().size());
    EXPECT_FALSE(page->savePng());
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_FALSE(page->savePng());
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].type, MsgType::Error);
    EXPECT_TRUE(prompts.messages[0].text.contains(QStringLiteral("geen-map/trend.png")));
}

TEST_F(WindowLayout, MenusOfTheWindow) {
    auto w = open();
    QStringList opties;
    for (QAction* a : w->optionsMenu()->actions())
        opties << (a->isSeparator() ? QStringLiteral("-") : a->text());
    EXPECT_EQ(opties,
              (QStringList{QStringLiteral("Verander premieactiviteit periode"),
                           QStringLiteral("Toon collectiviteit-gegevens"),
                           QStringLiteral("Toon verzekeringseenheid"), QStringLiteral("Toon componenten"),
                           QStringLiteral("-"), QStringLiteral("Toon verzekerden details"),
                           QStringLiteral("Toon samengestelde achternaam"),
                           QStringLiteral("Verander veld volgorde"), QStringLiteral("-"),
                           QStringLiteral("Filter"), QStringLiteral("-"), QStringLiteral("Sluiten")}));
    EXPECT_EQ(w->statementMenu()->title(), QStringLiteral("Bo&rderel"));
    QStringList months;
    EXPECT_TRUE(w->menuIncasso->actions().isEmpty()); // read when the menu opens
    emit w->menuIncasso->aboutToShow();
    for (QAction* a : w->menuIncasso->actions())
        months << a->text();
    // every month of the components of the type's persons
    EXPECT_EQ(months, (QStringList{QStringLiteral("2005-11"), QStringLiteral("2005-12"),
                                   QStringLiteral("2006-01"), QStringLiteral("2006-02")}));
    EXPECT_EQ(w->actVeranderVeldVolgorde->shortcut(), QKeySequence(Qt::Key_F12));
    bool shown = false;
    dialogs.answer = [&](QDialog& d) {
        shown = dynamic_cast<CollectivityDetailsDialog*>(&d) != nullptr;
        return int(QDialog::Rejected);
    };
    w->actCollDetails->trigger();
    EXPECT_TRUE(shown);
}

TEST_F(WindowLayout, StoredPanesAndOrdersComeBack) {
    {
        auto w = open();
        w->actToonDI10Details->trigger();
        w->actToonDI50Details->trigger();
        w->applyFieldOrder(true, QStringLiteral("1003=1,1002=1"));
        w->close();
    }
    auto again = open();
    EXPECT_TRUE(again->personsPane()->detailPanel()->isHidden());
    EXPECT_FALSE(again->componentsPane()->detailPanel()->isHidden());
    EXPECT_EQ(again->personsPane()->grid()->fieldOfColumn(1), QStringLiteral("1003"));
}

// Every row of a detail pane can be reached: whole rows as they are painted,
// and a vertical scroll bar only when rows remain.
TEST_F(WindowLayout, DetailPanesShowEveryRowWhole) {
    for (const QSize size : {QSize(1000, 1200), QSize(795, 577)}) {
        auto w = open();
        w->actToonDI50Details->trigger();
        w->resize(size);
        QApplication::processEvents();
        for (ListPane* pane : {w->personsPane(), w->componentsPane()}) {
            DetailPane* d = pane->detail();
            SCOPED_TRACE(d->objectName().toStdString() + " in " + std::to_string(size.height()));
            ASSERT_GT(d->rowCount(), 5);
            EXPECT_EQ(d->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
            EXPECT_EQ(d->viewport()->height() % d->rowHeight(), 0) << "a row is cut";
            EXPECT_LE(d->height(), pane->detailPanel()->contentsRect().height());
            const bool scrolls = d->verticalScrollBarPolicy() != Qt::ScrollBarAlwaysOff;
            EXPECT_EQ(scrolls, d->rowCount() * d->rowHeight() > d->viewport()->height());
            d->scrollToBottom();
            const QRect last = d->visualRect(d->model()->index(d->rowCount() - 1, 0));
            EXPECT_GE(last.top(), 0);
            EXPECT_LE(last.bottom(), d->viewport()->height());
        }
        if (size.height() == 1200) test::saveScreenshot(w.get(), QStringLiteral("borderel-details-passend"));
    }
}

// A coded column is as wide as its widest description ("Verzekerde", not "Verze…").
TEST_F(WindowLayout, CodedColumnsShowWholeDescriptions) {
    auto w = open();
    int coded = 0;
    for (const bool forPersons : {true, false}) {
        StatementGrid* g = w->pane(forPersons)->grid();
        for (const GridColumn& c : w->state().side(forPersons).columns) {
            if (c.pickList.isEmpty() || !c.visible) continue;
            ++coded;
            int widest = 0;
            for (const QString& item : c.pickList)
                widest = std::max(widest, g->fontMetrics().horizontalAdvance(item.section(u'=', 1)));
            EXPECT_GT(g->columnWidth(g->columnOfField(c.fieldName)), widest) << c.fieldName.toStdString();
        }
    }
    EXPECT_GE(coded, 3);
}

// A footer section widens for a figure its designed width cannot hold: a
// right-aligned "10.724,50" in 60 pixels showed as "0.724,50".
TEST_F(WindowLayout, FooterFiguresAreNeverCutOff) {
    auto w = open();
    FooterBar* totals = w->componentsPane()->footer();
    const int designed = totals->sectionWidth(1);
    totals->setText(1, QStringLiteral("1.234.567.890,12"));
    totals->setText(2, QStringLiteral("1234567 records "));
    w->personsPane()->footer()->setText(2, QStringLiteral("12345678901 records "));
    QApplication::processEvents();
    for (FooterBar* bar : {totals, w->personsPane()->footer()})
        for (int s = 0; s < bar->sectionCount(); ++s) {
            const auto* label = bar->findChildren<QLabel*>().value(0);
            ASSERT_TRUE(label);
            const int text = label->fontMetrics().horizontalAdvance(bar->text(s));
            EXPECT_GE(bar->sectionWidth(s), text + 6) << bar->text(s).toStdString();
        }
    totals->setText(1, QStringLiteral("1,00"));
    EXPECT_EQ(totals->sectionWidth(1), designed); // short texts keep the designed width
}

// The list's model carries the marker images and the sort column's look, and
// passes Qt's model checks through the window's queries.
TEST_F(WindowLayout, ListModelRolesAndChecks) {
    auto w = open();
    StatementGrid* g = w->personsPane()->grid();
    QAbstractItemModelTester tester(g->model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    const QAbstractItemModel* m = g->model();
    int mainInsured = 0;
    for (int r = 0; r < m->rowCount(); ++r) {
        const bool marked = !m->index(r, 0).data(Qt::DecorationRole).value<QPixmap>().isNull();
        const DataSet& ds = w->state().persons();
        EXPECT_EQ(marked, ds.value(r, ds.fieldIndex(QStringLiteral("ID05"))).toString() ==
                              ds.value(r, ds.fieldIndex(QStringLiteral("ID07"))).toString());
        mainInsured += marked;
    }
    EXPECT_GT(mainInsured, 0);
    const int sortColumn = g->columnOfField(QStringLiteral("1002"));
    EXPECT_TRUE(m->index(0, sortColumn).data(Qt::FontRole).value<QFont>().bold());
    EXPECT_EQ(m->index(0, sortColumn).data(Qt::BackgroundRole).value<QBrush>().color(),
              StatementGridModel::sortColumnColour());
    EXPECT_FALSE(m->index(0, g->columnOfField(QStringLiteral("1003"))).data(Qt::FontRole).isValid());
    w->sortPersonsByColumn(g->columnOfField(QStringLiteral("ID04")));
    w->searchBox()->setText(QStringLiteral("W0000"));
    w->search();
    w->toggleUnitView();
    EXPECT_TRUE(
        m->index(0, g->columnOfField(QStringLiteral("ID04"))).data(Qt::FontRole).value<QFont>().bold());
}
