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
            if (PlannerWindow* planner = planner_of(*static_cast<QMainWindow*>(watched)))
                planner->close();
        }
        return false;
    }
};

}  // namespace

QMenu* add_tools_menu(QMainWindow& window, CalculatorSource calculator) {
    QMenuBar* bar = window.menuBar();
    auto* menu = new QMenu(QObject::tr("Tools"), bar);
    menu->setObjectName(QStringLiteral("mnuTools"));
    QAction* before = nullptr;
    for (QAction* action : bar->actions())
        if (action->menu() != nullptr && action->menu()->objectName() == QStringLiteral("mnuHelp"))
            before = action;
    bar->insertMenu(before, menu);
    window.installEventFilter(new CloseWithCalculator(menu));

    QAction* open = menu->addAction(QObject::tr("Planner..."));
    open->setObjectName(QStringLiteral("mnuPlanner"));
    open->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    open->setShortcutContext(Qt::WindowShortcut);
    QObject::connect(open, &QAction::triggered, &window,
                     [&window, calculator = std::move(calculator)] {
                         PlannerWindow* planner = planner_of(window);
                         if (planner == nullptr) {
                             planner = new PlannerWindow(calculator, &window);
                         } else if (!planner->isVisible()) {
                             planner->take_from_calculator();  // reopened: start afresh
                         }
                         planner->show();
                         planner->raise();
                         planner->activateWindow();
                     });
    return menu;
}

PlannerWindow* planner_of(const QMainWindow& window) {
    return window.findChild<PlannerWindow*>(QString(), Qt::FindDirectChildrenOnly);
}

}  // namespace orlavex::planner
