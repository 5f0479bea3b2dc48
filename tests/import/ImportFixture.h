#pragma once

#include "FailingTrigger.h"
#include "ScriptedPrompts.h"
#include "TestProgramDir.h"
#include "core/RecordCatalogue.h"
#include "import/ImportView.h"
#include "import/SilentImportView.h"
#include "import/StatementWriter.h"

#include <QDir>
#include <QHash>
#include <QSqlError>
#include <QSqlQuery>
#include <gtest/gtest.h>

namespace ostrapel::test {

// Records what the import shows.
class RecordingImportView : public SilentImportView {
public:
    int addListEntry(const QString& text) override {
        list << text;
        return int(list.size() - 1);
    }
    void replaceListEntry(int index, const QString& text) override { list[index] = text; }
    void clearList() override { list.clear(); }
    void setCounterPanel(const QString& text) override { panels << text; }
    void setCaption(const QString& text) override { captions << text; }
    void setOkEnabled(bool e) override { okEnabled = e; }
    void setBusy(bool b) override { busy += b ? 1 : -1; }
    QStringList list, panels, captions;
    bool okEnabled = false;
    int busy = 0; // hourglasses shown and not taken away
};

// A program folder with its database and catalogue, and a writer of small statements.
class ImportFixture : public ::testing::Test {
protected:
    void SetUp() override {
        catalogue.load(*db);
        QDir().mkpath(dir.filePath(QStringLiteral("Import")));
    }

    using Fields = QHash<QString, QVariant>;

    // A statement: collectivity record, persons with `components` each, control record.
    QStringList statement(int coll, const QString& period, const QStringList& persons, bool standard,
                          int components = 1, const Fields& extra00 = {}) const {
        StatementWriter w(catalogue);
        const Fields key = {
            {QStringLiteral("ID01"), coll}, {QStringLiteral("ID02"), 1}, {QStringLiteral("ID03"), period}};
        auto with = [&](Fields f) {
            for (auto it = key.cbegin(); it != key.cend(); ++it)
                if (!f.contains(it.key())) f.insert(it.key(), it.value());
            return f;
        };
        Fields c00 = {
            {QStringLiteral("ID05"), standard ? QStringLiteral("S000000000") : QStringLiteral("0000000000")},
            {QStringLiteral("0003"), QStringLiteral("Test BV")},
            {QStringLiteral("0018"), QStringLiteral("EUR")},
            {QStringLiteral("0020"), 1}};
        for (auto it = extra00.cbegin(); it != extra00.cend(); ++it)
            c00.insert(it.key(), it.value());
        QStringList lines = {w.composeLine(QStringLiteral("00"), with(c00))};
        double total = 0;
        for (const QString& p : persons) {
            lines << w.composeLine(
                QStringLiteral("10"),
                with({{QStringLiteral("ID05"), p},
                      {QStringLiteral("ID07"), p},
                      {QStringLiteral("1002"), QStringLiteral("Naam ") + p},
                      {QStringLiteral("1024"), standard ? QStringLiteral("Z") : QStringLiteral("Z")}}));
            for (int k = 0; k < components; ++k) {
                lines << w.composeLine(QStringLiteral("50"),
                                       with({{QStringLiteral("ID05"), p},
                                             {QStringLiteral("ID07"), p},
                                             {QStringLiteral("5002"), QStringLiteral("I")},
                                             {QStringLiteral("5004"), QStringLiteral("C%1").arg(k)},
                                             {QStringLiteral("5008"), 10.0},
                                             {QStringLiteral("5011"), QStringLiteral("C")}}));
                total += 10.0;
            }
        }
        lines << w.composeLine(QStringLiteral("99"),
                               with({{QStringLiteral("ID05"),
                                      standard ? QStringLiteral("S999999999") : QStringLiteral("9999999999")},
                                     {QStringLiteral("9902"), QDate(2006, 1, 1)},
                                     {QStringLiteral("9903"), int(lines.size()) + 1},
                                     {QStringLiteral("9904"), int(persons.size())},
                                     {QStringLiteral("9905"), total},
                                     {QStringLiteral("9906"), total},
                                     {QStringLiteral("9907"), 0.0}}));
        return lines;
    }

    QString write(const QString& name, const QStringList& lines) const {
        const QString path = dir.filePath(QStringLiteral("Import/") + name);
        EXPECT_TRUE(StatementWriter::writeFile(path, lines));
        return path;
    }

    int count(const QString& sql) const { return db->scalar(sql).toInt(); }

    void addFailingTrigger(const QString& name, const QString& event, const QString& table,
                           const QString& message, const QString& column = {}, const QString& value = {}) {
        test::addFailingTrigger(*db, name, event, table, message, column, value);
    }
    void dropTrigger(const QString& name, const QString& table) { test::dropTrigger(*db, name, table); }

    TestProgramDir dir;
    std::unique_ptr<Connection> db = dir.connect();
    RecordCatalogue catalogue;
    ScriptedPrompts prompts;
    RecordingImportView view;
};

} // namespace ostrapel::test
