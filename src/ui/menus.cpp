#include "ui/menus.h"

#include "ui/menu_keys.h"
#include "ui/qstring.h"

#include <QSignalBlocker>

namespace orlavex::ui {

namespace {

constexpr const char* control_property = "control";

// A menu caption shows "&" itself, not as a keyboard mnemonic.
QString menu_caption(const std::string& text) {
    return QString::fromStdString(text).replace(QStringLiteral("&"), QStringLiteral("&&"));
}

bool is_separator(Ctl id) {
    return layout_row(id).text == "-";
}

QAction* make_action(Ctl id, QObject* owner) {
    auto* action = new QAction(owner);
    action->setObjectName(menu_object_name(id));
    action->setProperty(control_property, static_cast<int>(id));
    if (layout_row(id).index >= 0) action->setProperty("index", layout_row(id).index);
    action->setSeparator(is_separator(id));
    return action;
}

void render_submenu(QMenu* submenu, const Control& c) {
    submenu->setTitle(menu_caption(c.text));
    submenu->setEnabled(c.enabled);
    submenu->menuAction()->setVisible(c.visible);
}

// Shows the model's state of a submenu or menu item on its action.
void render_action(QAction* action, const Control& c) {
    if (action->menu() != nullptr) {
        render_submenu(action->menu(), c);
    } else {
        render_menu_item(action, c);
    }
}

// Adds the layout's menu rows under PARENT to MENU: a submenu, filled the
// same way, for each menu row and an action for each item row. MADE is
// given the control and action of each submenu and item as it is made.
void add_menu_rows(QMenu* menu, Ctl parent, const std::function<void(Ctl, QAction*)>& made) {
    for (const ControlRow& row : layout) {
        if (row.parent != parent) continue;
        if (row.kind == Kind::Menu) {
            QMenu* submenu = menu->addMenu(QString());
            submenu->setObjectName(qstring(row.name));
            submenu->menuAction()->setProperty(control_property, static_cast<int>(row.id));
            made(row.id, submenu->menuAction());
            add_menu_rows(submenu, row.id, made);
        } else if (row.kind == Kind::Item) {
            QAction* action = make_action(row.id, menu);
            made(row.id, action);
            menu->addAction(action);
        }
    }
}

}  // namespace

QString menu_object_name(Ctl id) {
    const ControlRow& row = layout_row(id);
    QString name = qstring(row.name);
    if (row.index >= 0) name += QStringLiteral("(%1)").arg(row.index);
    return name;
}

Ctl control_of_action(const QAction* action) {
    const QVariant value = action != nullptr ? action->property(control_property) : QVariant();
    return value.isValid() ? static_cast<Ctl>(value.toInt()) : Ctl::none;
}

void render_menu_item(QAction* action, const Control& item) {
    const QSignalBlocker not_a_click(action);
    if (!action->isSeparator()) action->setText(menu_caption(item.text));
    // Only a checked item is checkable, so that an unchecked one shows no
    // empty check box.
    action->setCheckable(item.checked);
    action->setChecked(item.checked);
    action->setEnabled(item.enabled);
    action->setVisible(item.visible);
}

std::unique_ptr<QMenu> build_popup_menu(const Form& form, Ctl menu, QWidget* parent) {
    auto popup = std::make_unique<QMenu>(parent);
    popup->setObjectName(qstring(layout_row(menu).name));
    add_menu_rows(popup.get(), menu,
                  [&form](Ctl id, QAction* action) { render_action(action, form[id]); });
    return popup;
}

MenuBar::MenuBar(QMenuBar* bar, Chosen chosen) : chosen_(std::move(chosen)) {
    for (const ControlRow& row : layout) {
        if (row.kind != Kind::Menu || row.parent != Ctl::frmNFCalc || (row.flags & Popup) != 0) {
            continue;
        }
        QMenu* menu = bar->addMenu(QString());
        menu->setObjectName(qstring(row.name));
        actions_[static_cast<std::size_t>(row.id)] = menu->menuAction();
        add_menu_rows(menu, row.id, [this](Ctl id, QAction* action) {
            actions_[static_cast<std::size_t>(id)] = action;
            if (action->menu() == nullptr) {
                QObject::connect(action, &QAction::triggered, action, [this, id] { chosen_(id); });
            }
        });
    }
    add_menu_keys(bar);
}

void MenuBar::render(const Form& form) {
    for (std::size_t i = 0; i < actions_.size(); ++i) {
        QAction* action = actions_[i];
        if (action == nullptr) continue;
        const Control& now = form.controls[i];
        Control& was = shown_[i];
        if (shown_valid_ && now.text == was.text && now.checked == was.checked &&
            now.enabled == was.enabled && now.visible == was.visible) {
            continue;
        }
        render_action(action, now);
        was = now;
    }
    shown_valid_ = true;
}

}  // namespace orlavex::ui
