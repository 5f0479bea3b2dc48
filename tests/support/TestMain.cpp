// Test entry point: a Qt application object (the SQL driver needs one) and the
// program's Dutch locale.
#include "TestProgramDir.h"
#include "core/DisplayFormat.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ostrapel::installProgramLocale();
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    ostrapel::test::dropTemplateDatabase(); // while the application and its drivers still exist
    return result;
}
