// Commands of the collectivity window as the user reaches them: the field-order
// check box, the sort-field picker's first choice, the components "Opties" menu
// and the keys the window stores.
#include "Screenshots.h"
#include "WindowFixture.h"
#include "collectivity/ui/CollectivityWindow.h"
#include "collectivity/ui/DetailPane.h"
#include "collectivity/ui/FieldOrderDialog.h"
#include "collectivity/ui/ListPane.h"
#include "collectivity/ui/SortFieldDialog.h"
#include "collectivity/ui/StatementGrid.h"
#include "core/Settings.h"

#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QTest>
#include <QToolButton>

using namespace ostrapel;

namespace {

class WindowCommands : public test::WindowFixture {
protected:
    std::unique_ptr<CollectivityWindow> open() {
        auto w = WindowFixture::open();
        w->activateWindow(); // for its shortcuts
        EXPECT_TRUE(QTest::qWaitForWindowActive(w.get()));
        return w;
    }
};

QAction* entry(QMenu* menu, const QString& text) {
    for (QAction* a : menu->actions())
        if (a->text() == text) return a;
    return nullptr;
}

} // namespace

TEST_F(WindowCommands, FieldOrderCheckBoxCyclesUncheckedCheckedGreyed) {
    FieldOrderDialog dialog(catalogue, QStringLiteral("1003=0,1002=1,1017=1"));
    QListWidget* list = dialog.list();
    list->setCurrentRow(0);
    const Qt::CheckState expected[] = {Qt::Checked, Qt::PartiallyChecked, Qt::Unchecked, Qt::Checked};
    for (Qt::CheckState state : expected) {
        QTest::keyClick(list, Qt::Key_Space); // what a click on the box does
        EXPECT_EQ(list->item(0)->checkState(), state);
    }
    // with the mouse, starting from checked
    const QRect row = list->visualItemRect(list->item(2));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      QPoint(row.left() + row.height() / 2, row.center().y()));
    EXPECT_EQ(list->item(2)->checkState(), Qt::PartiallyChecked);
    EXPECT_EQ(dialog.fieldOrder(), QStringLiteral("1003=1,1002=1,1017=2"));
    // an always-shown field stays checked
    list->setCurrentRow(1);
    QTest::keyClick(list, Qt::Key_Space);
    EXPECT_EQ(list->item(1)->checkState(), Qt::Checked);
}

TEST_F(WindowCommands, SortPickerOnAMappedFieldListOffersTheFirstEntry) {
    auto w = open();
    std::optional<int> offered;
    QString firstTitle;
    dialogs.answer = [&](QDialog& d) {
        auto& dialog = dynamic_cast<SortFieldDialog&>(d);
        offered = dialog.list()->currentRow();
        firstTitle = dialog.list()->item(0)->text();
        return int(QDialog::Rejected);
    };
    // sorted on ID04, 1002, 1003, 1004: "Werknemernr." does not come first
    w->sortPersonsByColumn(w->personsPane()->grid()->columnOfField(QStringLiteral("ID04")));
    ASSERT_EQ(w->state().persons().sortFields(), QStringLiteral("ID04, 1002, 1003, 1004"));
    QTest::keyClick(w->searchBox(), Qt::Key_F4);
    EXPECT_EQ(offered, 0);
    EXPECT_NE(firstTitle, QStringLiteral("Werknemernr."));
    // a single sort field is found by name
    w->sortPersonsByColumn(w->personsPane()->grid()->columnOfField(QStringLiteral("1017")));
    QTest::keyClick(w->searchBox(), Qt::Key_F4);
    ASSERT_TRUE(offered.has_value());
    EXPECT_NE(*offered, 0);
}

TEST_F(WindowCommands, JointEntryOfTheComponentsOptionsShowsItsKeyAndHint) {
    auto w = open();
    QToolButton* opties = nullptr;
    for (QToolButton* b : w->findChildren<QToolButton*>())
        if (b->text() == QStringLiteral("Opties")) opties = b;
    ASSERT_NE(opties, nullptr);
    QAction* toon = entry(opties->menu(), QStringLiteral("Toon componenten"));
    ASSERT_TRUE(toon && toon->menu());
    for (const auto& [text, key] : {std::pair{"Individueel", "Alt+I"}, std::pair{"Gezamenlijk", "Alt+G"}}) {
        QAction* a = entry(toon->menu(), QString::fromLatin1(text));
        ASSERT_NE(a, nullptr) << text;
        EXPECT_EQ(a->shortcut(), QKeySequence(QString::fromLatin1(key))) << text;
        EXPECT_FALSE(a->statusTip().isEmpty()) << text;
    }
    test::saveScreenshot(toon->menu(), QStringLiteral("menu-toon-componenten"));
    // the key still switches the mode from the search box, once
    QTest::keyClick(w->searchBox(), Qt::Key_G, Qt::AltModifier);
    EXPECT_EQ(w->state().componentsQuery().modeLetter(), QStringLiteral("G"));
    QTest::keyClick(w->searchBox(), Qt::Key_I, Qt::AltModifier);
    EXPECT_EQ(w->state().componentsQuery().modeLetter(), QStringLiteral("I"));
}

TEST_F(WindowCommands, StoredKeysAreWrittenAsNamed) {
    auto w = open();
    w->actToonComponenten->trigger();
    w->close();
    QFile user(settings.userFile());
    ASSERT_TRUE(user.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(user.readAll());
    EXPECT_TRUE(text.contains(QStringLiteral("\nToonComponenten=0"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("\nToonTbl10Detail=")));
}

TEST_F(WindowCommands, CtrlXClosesTheWindowWhereverTheFocusIs) {
    for (int target = 0; target < 3; ++target) {
        auto w = open();
        QWidget* focus = target == 0   ? static_cast<QWidget*>(w->searchBox())
                         : target == 1 ? static_cast<QWidget*>(w->personsPane()->grid())
                                       : static_cast<QWidget*>(w->personsPane()->detail());
        w->searchBox()->setText(QStringLiteral("BAK"));
        w->searchBox()->selectAll();
        focus->setFocus();
        QTest::keyClick(focus, Qt::Key_X, Qt::ControlModifier);
        EXPECT_FALSE(w->isVisible()) << "focus on " << target;
        EXPECT_EQ(w->searchBox()->text(), QStringLiteral("BAK"));
    }
}

TEST_F(WindowCommands, ACommandThatFailsShowsItsMessageAndTheWindowStays) {
    auto w = open();
    QToolButton* next = nullptr;
    for (QToolButton* b : w->findChildren<QToolButton*>())
        if (b->toolTip() == QStringLiteral("Volgende record")) next = b;
    ASSERT_NE(next, nullptr);
    // the components go: every command that shows them fails
    db->execute(QStringLiteral("drop table bord50"));
    const std::pair<const char*, std::function<void()>> commands[] = {
        {"key", [&] { QTest::keyClick(w->searchBox(), Qt::Key_Down); }},
        {"button", [&] { next->click(); }},
        {"menu",
         [&] {
             w->actToonComponenten->trigger(); // hidden: no query
             w->actToonComponenten->trigger();
         }},
    };
    for (const auto& [what, command] : commands) {
        prompts.messages.clear();
        command();
        ASSERT_EQ(prompts.messages.size(), 1u) << what;
        EXPECT_EQ(prompts.messages[0].type, MsgType::Error) << what;
        EXPECT_TRUE(prompts.messages[0].text.contains(QStringLiteral("bord50"), Qt::CaseInsensitive))
            << what << ": " << prompts.messages[0].text.toStdString();
        EXPECT_TRUE(w->isVisible()) << what;
    }
}

TEST_F(WindowCommands, ReloadShowsAMonthImportedElsewhere) {
    auto w = open();
    const auto months = [&] {
        emit w->menuIncasso->aboutToShow(); // as the user opens it
        QStringList out;
        for (QAction* a : w->menuIncasso->actions())
            out << a->text();
        return out;
    };
    const QStringList before = months();
    EXPECT_EQ(before.last(), QStringLiteral("2006-02"));
    w->personsPane()->grid()->setCurrentIndex(w->personsPane()->grid()->model()->index(3, 1));
    const QString person = w->state().persons().value(QStringLiteral("ID07")).toString();

    // another workstation imports March on its own connection
    SampleOptions o;
    o.collectivities = 1;
    o.persons = persons;
    o.periods = {QStringLiteral("2006-03")};
    o.zip = false;
    {
        auto other = dir.connect(QStringLiteral("werkstation2"));
        const QStringList files =
            SampleGenerator(catalogue, o).writeAll(dir.filePath(QStringLiteral("Import")));
        SilentImportView view;
        test::ScriptedPrompts quiet;
        ImportRun run(*other, catalogue, quiet, view, 1, dir.filePath(QStringLiteral("Import")));
        run.setFileList(files);
        run.execute([](std::vector<StatementSummary>& s) {
            for (StatementSummary& x : s)
                x.importFlag = u'J';
            return true;
        });
    }
    EXPECT_EQ(months(), before); // the menu read its months once, until a reload

    w->reload();
    EXPECT_EQ(months(), before + QStringList{QStringLiteral("2006-03")});
    EXPECT_EQ(w->state().persons().value(QStringLiteral("ID07")).toString(), person); // the same person
    EXPECT_TRUE(prompts.messages.empty());
}
