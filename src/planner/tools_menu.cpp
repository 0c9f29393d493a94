#include "planner/tools_menu.h"

#include <QAction>
#include <QEvent>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace orlavex::planner {

namespace {

// Closes the planner when the calculator window closes (a hide the program
// makes, not one the window system makes when it is minimised), so the
// program ends with its calculator.
class CloseWithCalculator : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Hide && !event->spontaneous()) {
            if (QWidget* planner = planner_widget_of(*static_cast<QMainWindow*>(watched)))
                planner->close();
        }
        return false;
    }
};

}  // namespace

QMenu* add_tools_menu(QMainWindow& window, CalculatorSource calculator, PlannerOpener open) {
    QMenuBar* bar = window.menuBar();
    auto* menu = new QMenu(QObject::tr("Tools"), bar);
    menu->setObjectName(QStringLiteral("mnuTools"));
    QAction* before = nullptr;
    for (QAction* action : bar->actions())
        if (action->menu() != nullptr && action->menu()->objectName() == QStringLiteral("mnuHelp"))
            before = action;
    bar->insertMenu(before, menu);
    window.installEventFilter(new CloseWithCalculator(menu));

    QAction* item = menu->addAction(QObject::tr("Planner..."));
    item->setObjectName(QStringLiteral("mnuPlanner"));
    item->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    item->setShortcutContext(Qt::WindowShortcut);
    QObject::connect(item, &QAction::triggered, &window,
                     [&window, calculator = std::move(calculator), open = std::move(open)] {
                         open(window, calculator);
                     });
    return menu;
}

QWidget* planner_widget_of(const QMainWindow& window) {
    return window.findChild<QWidget*>(QStringLiteral("plannerWindow"), Qt::FindDirectChildrenOnly);
}

}  // namespace orlavex::planner
