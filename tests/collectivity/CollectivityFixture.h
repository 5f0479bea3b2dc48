#pragma once

#include "SampleGenerator.h"
#include "ScriptedPrompts.h"
#include "TestProgramDir.h"
#include "core/DataSet.h"
#include "core/RecordCatalogue.h"
#include "import/CheckPass.h"
#include "import/ImportRun.h"
#include "import/ImportView.h"
#include "import/SilentImportView.h"

#include <QDir>
#include <gtest/gtest.h>

namespace ostrapel::test {

// A program folder with generated statements of collectivity 12 imported:
// type 1 months 2005-11 and 2005-12, type 2 months 2006-01 and 2006-02.
class CollectivityFixture : public ::testing::Test {
protected:
    void SetUp() override {
        catalogue.load(*db);
        importPeriods({QStringLiteral("2005-11"), QStringLiteral("2005-12"), QStringLiteral("2006-01"),
                       QStringLiteral("2006-02")});
    }

    // Generated statements of collectivity 12 for these months, imported.
    void importPeriods(const QStringList& periods) {
        SampleOptions o;
        o.collectivities = 1;
        o.persons = persons;
        o.periods = periods;
        o.zip = false;
        const QStringList files =
            SampleGenerator(catalogue, o).writeAll(dir.filePath(QStringLiteral("Import")));
        SilentImportView view;
        ScriptedPrompts prompts;
        ImportRun run(*db, catalogue, prompts, view, 1, dir.filePath(QStringLiteral("Import")));
        run.setFileList(files);
        run.execute([](std::vector<StatementSummary>& s) {
            for (StatementSummary& x : s)
                x.importFlag = u'J';
            return true;
        });
    }

    int persons = 24;
    TestProgramDir dir;
    std::unique_ptr<Connection> db = dir.connect();
    RecordCatalogue catalogue;
};

} // namespace ostrapel::test
