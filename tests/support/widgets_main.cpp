#include "platform/widgets/WheelRule.h"
#include "tests/support/ProgramReset.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    Platform::InstallWheelRule(app);
    ::testing::InitGoogleTest(&argc, argv);
    TestSupport::InstallProgramReset();
    return RUN_ALL_TESTS();
}
