#include "ui/menu_keys.h"

#include <QAction>
#include <QMenu>
#include <QShortcut>

#include <array>

namespace orlavex::ui {

namespace {

struct MenuKey {
    const char* menu;  // object name of the menu bar's menu
    Qt::Key key;       // with Alt
};

constexpr std::array<MenuKey, 5> menu_keys{{
    {"mnuFile", Qt::Key_F},
    {"mnuOption", Qt::Key_O},
    {"mnuWebLinks", Qt::Key_W},
    {"mnuTools", Qt::Key_T},
    {"mnuHelp", Qt::Key_H},
}};

QAction* bar_entry(const QMenuBar* bar, const char* menu_name) {
    for (QAction* action : bar->actions()) {
        const QMenu* menu = action->menu();
        if (menu != nullptr && menu->objectName() == QLatin1String(menu_name)) return action;
    }
    return nullptr;
}

}  // namespace

void add_menu_keys(QMenuBar* bar) {
    for (const MenuKey& k : menu_keys) {
        auto* shortcut = new QShortcut(QKeySequence(Qt::ALT | k.key), bar);
        QObject::connect(shortcut, &QShortcut::activated, bar, [bar, name = k.menu] {
            QAction* action = bar_entry(bar, name);
            if (action != nullptr && action->isVisible() && action->isEnabled())
                bar->setActiveAction(action);
        });
    }
    if (auto* exit = bar->findChild<QAction*>(QStringLiteral("mnuExit"))) {
        exit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
        exit->setShortcutContext(Qt::WindowShortcut);
    }
}

}  // namespace orlavex::ui
