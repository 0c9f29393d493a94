// A bare Qt 6 window of the calculator's size: the baseline that the
// calculator's start-up to first paint is measured against. It exits as
// soon as it has been painted once.
//
// With --one-label it also shows one line of text, which is what drawing
// any text at all costs a window (fontconfig, a font engine, shaping).
#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QTimer>
#include <QWidget>

namespace {

class ExitAfterPaint : public QWidget {
  protected:
    void paintEvent(QPaintEvent* /*event*/) override {
        QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
    }
};

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    ExitAfterPaint window;
    window.resize(808, 367);  // the calculator's client area
    if (QApplication::arguments().contains(QStringLiteral("--one-label"))) {
        auto* label = new QLabel(QStringLiteral("Noise figure (dB)"), &window);
        label->move(12, 12);
    }
    window.show();
    return QApplication::exec();
}
