#include <gtest/gtest.h>

#include <QCoreApplication>

int main(int argc, char** argv) {
    // QProcess, which runs the test servers, wants an application object.
    QCoreApplication oApp(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
