#include <QApplication>

#include <gtest/gtest.h>

// The window tests need a widget application (offscreen platform in the test run).
int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Vintrel"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
