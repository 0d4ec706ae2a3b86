// Qt needs its application object before any widget; without a display it draws offscreen.
#include <QApplication>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // A private runtime folder keeps Qt quiet and the tests apart from the user's session.
    std::string runtime = "/tmp/morva-qt-test-XXXXXX";
    if (::mkdtemp(runtime.data()) != nullptr) {
        ::chmod(runtime.c_str(), 0700);
        ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    }
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    ::rmdir(runtime.c_str());
    return result;
}
