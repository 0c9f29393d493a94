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

constexpr std::array<MenuKey, 4> menu_keys{{
    {"mnuFile", Qt::Key_F},
    {"mnuOption", Qt::Key_O},
    {"mnuWebLinks", Qt::Key_W},
    {"mnuHelp", Qt::Key_H},
}};

}  // namespace

void add_menu_keys(QMenuBar* bar) {
    for (QAction* action : bar->actions()) {
        const QMenu* menu = action->menu();
        if (menu == nullptr) continue;
        for (const MenuKey& k : menu_keys) {
            if (menu->objectName() != QLatin1String(k.menu)) continue;
            auto* shortcut = new QShortcut(QKeySequence(Qt::ALT | k.key), bar);
            QObject::connect(shortcut, &QShortcut::activated, bar, [bar, action] {
                if (action->isVisible() && action->isEnabled()) bar->setActiveAction(action);
            });
        }
    }
    if (auto* exit = bar->findChild<QAction*>(QStringLiteral("mnuExit"))) {
        exit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
        exit->setShortcutContext(Qt::WindowShortcut);
    }
}

}  // namespace orlavex::ui
