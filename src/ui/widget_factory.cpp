#include "ui/widget_factory.h"

#include "ui/colours.h"
#include "ui/fonts.h"
#include "ui/halo_label.h"
#include "ui/qstring.h"
#include "ui/shapes.h"
#include "ui/twips.h"
#include "ui/wrapping_check_box.h"

#include <QFontMetrics>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <map>

namespace orlavex::ui {

namespace {

bool has(const ControlRow& row, Flag flag) {
    return (row.flags & flag) != 0;
}

// A label as high as two lines breaks its caption at the blanks, as the
// platform's labels do ("NS" over "On" beside a level field).
bool holds_two_lines(const ControlRow& row) {
    const QFontMetrics metrics(font_for(row.font, row.font.size));
    return 2 * metrics.height() <= pixels(row.rect.height) + 1;
}

QWidget* make_label(const ControlRow& row, QWidget* parent) {
    auto* label = new HaloLabel(parent);
    label->setTextFormat(Qt::PlainText);
    const Qt::Alignment across = has(row, Centred) ? Qt::AlignHCenter : Qt::AlignLeft;
    label->setAlignment(across | Qt::AlignTop);
    label->setWordWrap(has(row, Wrap) || holds_two_lines(row));
    if (has(row, Border)) {
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setLineWidth(1);
        label->setIndent(1);
    }
    if (has(row, Link)) label->setCursor(Qt::PointingHandCursor);
    return label;
}

QWidget* make_field(QWidget* parent) {
    auto* field = new QLineEdit(parent);
    // The model limits typed text itself; a Qt limit would also cut the
    // values that the program writes.
    field->setMaxLength(32767);
    // Its own background (the frame's colour around its rounded corners)
    // is filled in the window role; the text area keeps the base colour.
    field->setBackgroundRole(QPalette::Window);
    return field;
}

QWidget* make_check(const ControlRow& row, QWidget* parent) {
    return has(row, Wrap) ? new WrappingCheckBox(parent) : new QCheckBox(parent);
}

QWidget* make_option(QWidget* parent) {
    auto* option = new QRadioButton(parent);
    // The model decides which button of a group is selected.
    option->setAutoExclusive(false);
    return option;
}

QWidget* make_button(const ControlRow& row, QWidget* parent) {
    auto* button = new QPushButton(parent);
    button->setDefault(has(row, DefaultButton));
    button->setAutoDefault(has(row, DefaultButton));
    return button;
}

QWidget* make_line(const ControlRow& row, QWidget* parent) {
    const Rect& r = row.rect;  // x1, y1, x2, y2
    return new LineWidget(QPoint(pixels(r.left), pixels(r.top)),
                          QPoint(pixels(r.width), pixels(r.height)), row.line_width, parent);
}

QWidget* make_widget(const ControlRow& row, QWidget* parent, PictureLibrary& pictures) {
    switch (row.kind) {
        case Kind::Frame:
            return new QGroupBox(parent);
        case Kind::Group:
            return new QWidget(parent);
        case Kind::Label:
            return make_label(row, parent);
        case Kind::Field:
            return make_field(parent);
        case Kind::Option:
            return make_option(parent);
        case Kind::Check:
            return make_check(row, parent);
        case Kind::Button:
            return make_button(row, parent);
        case Kind::Picture:
            return new PictureWidget(pictures.renderer(row.picture), parent);
        case Kind::Circle:
            return new ShapeWidget(ShapeWidget::Form::Circle, parent);
        case Kind::Box:
            return new ShapeWidget(ShapeWidget::Form::Rectangle, parent);
        case Kind::Line:
            return make_line(row, parent);
        case Kind::Window:
        case Kind::Menu:
        case Kind::Item:
            break;
    }
    return nullptr;
}

// Stacking within a container: shapes and lines at the back, then pictures,
// labels, transparent labels drawn over pictures, and the windowed controls
// in front; rows of one rank keep their layout order.
int stacking_rank(const ControlRow& row) {
    switch (row.kind) {
        case Kind::Line:
        case Kind::Circle:
        case Kind::Box:
            return 0;
        case Kind::Picture:
            return row.picture == "dropdown" ? 3 : 1;
        case Kind::Label:
            return has(row, Transparent) ? 3 : 2;
        case Kind::Frame:
        case Kind::Group:
            return 4;
        default:
            return 5;
    }
}

void stack_children(const WindowWidgets& built) {
    std::map<QWidget*, std::vector<Ctl>> by_container;
    for (Ctl id : built.controls)
        by_container[built[id]->parentWidget()].push_back(id);
    for (auto& [container, ids] : by_container) {
        std::stable_sort(ids.begin(), ids.end(), [](Ctl a, Ctl b) {
            return stacking_rank(layout_row(a)) < stacking_rank(layout_row(b));
        });
        for (Ctl id : ids)
            built[id]->raise();
    }
}

// A transparent label over a picture draws its text with a halo, so that it
// stays readable on the picture.
void give_halos(const WindowWidgets& built) {
    for (Ctl id : built.controls) {
        const ControlRow& row = layout_row(id);
        if (row.kind != Kind::Label || has(row, Transparent) ||
            paints_own_background(row.backcolor))
            continue;
        for (Ctl other : built.controls) {
            const ControlRow& below = layout_row(other);
            if (below.kind == Kind::Picture && below.parent == row.parent &&
                pixel_rect(below.rect).intersects(pixel_rect(row.rect))) {
                static_cast<HaloLabel*>(built[id])->set_halo(true);
            }
        }
    }
}

}  // namespace

WindowWidgets build_window_controls(Ctl window, QWidget* client, PictureLibrary& pictures) {
    WindowWidgets built;
    built.window = window;
    for (const ControlRow& row : layout) {
        if (row.kind == Kind::Window || row.kind == Kind::Menu || row.kind == Kind::Item) continue;
        if (window_of(row.id) != window) continue;
        QWidget* parent = row.parent == window ? client : built[row.parent];
        QWidget* widget = make_widget(row, parent, pictures);
        widget->setObjectName(qstring(row.name));
        widget->setFocusPolicy(row.kind == Kind::Button ? Qt::StrongFocus : Qt::NoFocus);
        if (row.kind != Kind::Line) widget->setGeometry(pixel_rect(row.rect));
        widget->setFont(font_for(row.font, row.font.size));
        built.widget[static_cast<std::size_t>(row.id)] = widget;
        built.controls.push_back(row.id);
        built.control_of.insert(widget, row.id);
    }
    stack_children(built);
    give_halos(built);
    return built;
}

}  // namespace orlavex::ui
