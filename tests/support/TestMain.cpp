#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // Window tests never need a display; a developer may still pick one.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName("Tiravo");
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
