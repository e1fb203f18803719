// Adapter tests run on Qt's offscreen platform, never touch the user's real configuration, and
// keep their lock files in a private runtime directory.
#include <QApplication>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// A test that ends the program (QCoreApplication::exit) leaves every later event loop, a modal
// box's among them, returning at once; running the application's loop briefly clears that.
struct ClearQuitRequest : testing::EmptyTestEventListener {
    void OnTestEnd(const testing::TestInfo&) override {
        QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
        QCoreApplication::exec();
    }
};

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir runtime;
    qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    testing::UnitTest::GetInstance()->listeners().Append(new ClearQuitRequest);
    return RUN_ALL_TESTS();
}
