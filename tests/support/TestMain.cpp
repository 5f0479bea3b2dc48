// Test entry point: a Qt application object (the SQL driver needs one) and the
// program's Dutch locale.
#include "core/DisplayFormat.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ostrapel::installProgramLocale();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
