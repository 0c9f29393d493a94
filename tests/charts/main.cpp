// The charts are QGraphicsWidgets: they need a QApplication. Any warning Qt
// gives while a test draws charts fails that test.
#include <QApplication>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

void fail_on_warnings(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtDebugMsg || type == QtInfoMsg) return;
    ADD_FAILURE() << "Qt says: " << message.toStdString();
}

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // The offscreen platform's note about XDG_RUNTIME_DIR is no chart's.
    QApplication application(argc, argv);
    qInstallMessageHandler(fail_on_warnings);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
