// Entry point of widget tests: an offscreen QApplication in the Dutch locale.
#include "TestProgramDir.h"
#include "core/DisplayFormat.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ostrapel::installProgramLocale();
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    ostrapel::test::dropTemplateDatabase(); // while the application and its drivers still exist
    return result;
}
