// The calculator's window on a screen smaller than it: the window keeps
// within the screen's available area and its client area, unchanged,
// scrolls; where the screen has room the window is the client's size.
#include "ui/screen_fit.h"
#include "ui/application_setup.h"
#include "window_fixture.h"

#include <QScreen>
#include <QScrollBar>

using namespace orlavex::ui;
using namespace orlavex::ui::testing;

class ScreenFitTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { prepare_application(*qApp); }

    void the_area_is_the_clients_size_or_the_room_data() {
        QTest::addColumn<QSize>("room");
        QTest::addColumn<QSize>("expected");
        const QSize client(808, 600);
        const int bar = QScrollBar(Qt::Vertical).sizeHint().width();
        const int bar_height = QScrollBar(Qt::Horizontal).sizeHint().height();
        QTest::newRow("room to spare") << QSize(1600, 1000) << client;
        QTest::newRow("exactly the room") << client << client;
        QTest::newRow("too narrow") << QSize(800, 1000) << QSize(800, 600 + bar_height);
        QTest::newRow("too low") << QSize(1600, 500) << QSize(808 + bar, 500);
        QTest::newRow("too small") << QSize(800, 500) << QSize(800, 500);
    }

    void the_area_is_the_clients_size_or_the_room() {
        QFETCH(QSize, room);
        QFETCH(QSize, expected);
        auto* client = new QWidget;
        client->setFixedSize(808, 600);
        ScreenFit area(
            client, [room] { return room; }, nullptr);
        QCOMPARE(area.sizeHint(), expected);
        QCOMPARE(area.minimumSizeHint(), expected);
        QCOMPARE(client->size(), QSize(808, 600));
    }

    // The offscreen platform's screen is smaller than the calculator.
    void the_window_keeps_within_a_smaller_screen() {
        MainWindow window;
        QVERIFY(show_active(window));
        const QRect available = window.screen()->availableGeometry();
        const QSize client = window.client()->size();
        QVERIFY2(client.width() > available.width(), "the screen is not smaller");
        QTRY_VERIFY(available.contains(window.frameGeometry()));
        // The client is whole, as large as ever, and every part of it in reach.
        auto* area = qobject_cast<QScrollArea*>(window.centralWidget());
        QVERIFY(area != nullptr);
        QCOMPARE(area->horizontalScrollBar()->maximum(),
                 client.width() - area->viewport()->width());
        QCOMPARE(area->verticalScrollBar()->maximum(),
                 std::max(0, client.height() - area->viewport()->height()));
    }
};

QTEST_MAIN(ScreenFitTest)
#include "screen_fit_test.moc"
