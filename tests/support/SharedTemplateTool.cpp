// Makes or drops the test run's shared PostgreSQL template database, so that the
// test cases (each its own process) copy it instead of building one each.
#include "TestProgramDir.h"

#include <QCoreApplication>
#include <cstdio>
#include <exception>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    try {
        if (args.size() == 2 && args[1] == QStringLiteral("make")) {
            ostrapel::test::makeSharedTemplateDatabase();
            return 0;
        }
        if (args.size() == 2 && args[1] == QStringLiteral("drop")) {
            ostrapel::test::dropSharedTemplateDatabase();
            return 0;
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    std::fprintf(stderr, "usage: shared_template make|drop\n");
    return 2;
}
