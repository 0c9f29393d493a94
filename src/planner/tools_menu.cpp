#include "planner/tools_menu.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace orlavex::planner {

QMenu* add_tools_menu(QMainWindow& window, CalculatorSource calculator) {
    QMenuBar* bar = window.menuBar();
    auto* menu = new QMenu(QObject::tr("Tools"), bar);
    menu->setObjectName(QStringLiteral("mnuTools"));
    QAction* before = nullptr;
    for (QAction* action : bar->actions())
        if (action->menu() != nullptr && action->menu()->objectName() == QStringLiteral("mnuHelp"))
            before = action;
    bar->insertMenu(before, menu);

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
