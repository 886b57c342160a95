// Test entry point: an offscreen QApplication (widget tests need one; the
// others do not mind) in Japan's time zone and a UTF-8 locale.
#include <QApplication>
#include <QStandardPaths>
#include <cstdlib>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    setenv("TZ", "Asia/Tokyo", 0);
    setenv("LC_ALL", "C.UTF-8", 0);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QStandardPaths::setTestModeEnabled(true);
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
