// orlavex-screenshots OUTDIR: photographs the real window on the screen it
// runs on (an X server such as Xvfb): the start-up window, the manual
// measurement frames with their error message, and each pop-up menu open
// over the window. Scale and locale come from the environment
// (QT_SCALE_FACTOR, LC_ALL), as for the program itself.
#include "ui/application_setup.h"
#include "ui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QScreen>
#include <QTest>

#include <cstdio>

namespace {

using orlavex::ui::MainWindow;

void settle() {
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::processEvents();
        QTest::qWait(60);
    }
}

bool save_screen(const QWidget& window, const QString& path) {
    // The window and anything open over it, without the empty screen around.
    QRect area = window.frameGeometry();
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->isVisible()) area |= top->frameGeometry();
    const QPixmap shot =
        window.screen()->grabWindow(0, area.x(), area.y(), area.width(), area.height());
    return shot.save(path);
}

// Opens the pop-up menu that a click on OPENER asks for, photographs it and
// dismisses it.
bool photograph_popup(MainWindow& window, const char* opener, const QString& path) {
    bool saved = false;
    window.set_popup_chooser([&](QMenu& menu) -> QAction* {
        QWidget* anchor = window.findChild<QWidget*>(QString::fromLatin1(opener));
        menu.popup(anchor->mapToGlobal(anchor->rect().bottomLeft()));
        settle();
        saved = save_screen(window, path);
        menu.close();
        return nullptr;
    });
    QWidget* target = window.findChild<QWidget*>(QString::fromLatin1(opener));
    QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier, target->rect().center());
    return saved;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    orlavex::ui::prepare_application(app);
    if (argc != 2) {
        std::fputs("usage: orlavex-screenshots OUTDIR\n", stderr);
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    MainWindow window;
    window.move(0, 0);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) return 1;
    settle();
    bool ok = save_screen(window, out.filePath(QStringLiteral("startup.png")));

    ok = photograph_popup(window, "lblNSsel",
                          out.filePath(QStringLiteral("popup-noise-source.png"))) &&
         ok;
    ok = photograph_popup(window, "lblSAsel", out.filePath(QStringLiteral("popup-analyzer.png"))) &&
         ok;
    ok = photograph_popup(window, "lblNF_unc",
                          out.filePath(QStringLiteral("popup-resolution.png"))) &&
         ok;

    // An analyzer with two preamplifier options asks which one is fitted.
    window.set_popup_chooser([](QMenu& menu) -> QAction* {
        for (QAction* a : menu.findChildren<QAction*>())
            if (a->text() == QLatin1String("Galder-3")) return a;
        return nullptr;
    });
    QWidget* analyzer = window.findChild<QWidget*>(QStringLiteral("lblSAsel"));
    QTest::mouseClick(analyzer, Qt::LeftButton, Qt::NoModifier, analyzer->rect().center());
    ok = photograph_popup(window, "chkIntPA", out.filePath(QStringLiteral("popup-preamp.png"))) &&
         ok;

    window.findChild<QAction*>(QStringLiteral("mnuShowManMeas"))->trigger();
    QWidget* manual = window.findChild<QWidget*>(QStringLiteral("chkUseManMeas"));
    QTest::mouseClick(manual, Qt::LeftButton, Qt::NoModifier, QPoint(6, manual->height() / 2));
    settle();
    ok = save_screen(window, out.filePath(QStringLiteral("manual.png"))) && ok;

    // A measured "off" level above the "on" level is an error.
    QWidget* off = window.findChild<QWidget*>(QStringLiteral("txtMeasOFF"));
    QTest::mouseClick(off, Qt::LeftButton);
    QTest::keyClick(off, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(off, QStringLiteral("-50"));
    QTest::keyClick(off, Qt::Key_Return);
    settle();
    ok = save_screen(window, out.filePath(QStringLiteral("manual-error.png"))) && ok;
    return ok ? 0 : 1;
}
