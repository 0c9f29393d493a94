#include "ui/renderer.h"

#include "ui/caption_fit.h"
#include "ui/colours.h"
#include "ui/fonts.h"
#include "ui/halo_label.h"
#include "ui/qstring.h"
#include "ui/shapes.h"
#include "ui/sign_marks.h"
#include "ui/text_positions.h"
#include "ui/twips.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

#include <map>

namespace orlavex::ui {

namespace {

// Labels break lines at the platform's CR LF.
QString caption_text(const std::string& s) {
    QString text = qstring(s);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

void set_colour(QPalette& palette, QPalette::ColorRole role, const QColor& colour) {
    if (!colour.isValid()) return;
    // The disabled look stays the style's, as a disabled control's grey text.
    palette.setColor(QPalette::Active, role, colour);
    palette.setColor(QPalette::Inactive, role, colour);
}

void set_text(Kind kind, QWidget* widget, const std::string& text) {
    switch (kind) {
        case Kind::Label:
            static_cast<QLabel*>(widget)->setText(caption_text(text));
            break;
        case Kind::Field: {
            // A field that already shows the text (a typed character the
            // field inserted itself) keeps its undo history.
            auto* field = static_cast<QLineEdit*>(widget);
            const QString shown = qstring(text);
            if (field->text() == shown) break;
            const QSignalBlocker not_an_edit(field);
            field->setText(shown);
            break;
        }
        case Kind::Frame:
            static_cast<QGroupBox*>(widget)->setTitle(qstring(text));
            break;
        case Kind::Check:
        case Kind::Option:
        case Kind::Button:
            static_cast<QAbstractButton*>(widget)->setText(qstring(text));
            break;
        default:
            break;
    }
}

bool has_caption(Kind kind) {
    return kind == Kind::Label || kind == Kind::Check || kind == Kind::Option ||
           kind == Kind::Button || kind == Kind::Frame;
}

void show_selection(QLineEdit* field, const Control& c) {
    const int start = utf16_position(c.text, c.selstart);
    const int end = utf16_position(c.text, c.selstart + c.sellength);
    const int length = end - start;
    const bool same =
        length == 0 ? (!field->hasSelectedText() && field->cursorPosition() == start)
                    : (field->selectionStart() == start && field->selectionLength() == length);
    if (same) return;
    const QSignalBlocker not_a_selection(field);
    if (length == 0) {
        field->deselect();
        field->setCursorPosition(start);
    } else {
        field->setSelection(start, length);
    }
}

// A frame as the style draws it over the window's background: the colour it
// fills its inside with (Fusion shades the background a little darker) and
// the margins of its border and title, outside of which it is plain.
struct FrameLook {
    QColor inside;
    QMargins border;
};

FrameLook frame_look(const QPalette& system, const QString& title, const QFont& title_font) {
    QGroupBox frame(title);
    frame.setPalette(system);
    frame.setFont(title_font);
    frame.resize(96, 96);
    QImage image(frame.size(), QImage::Format_RGB32);
    image.fill(system.color(QPalette::Window));
    frame.render(&image, QPoint(), QRegion(), QWidget::RenderFlags());
    const int middle = image.width() / 2;
    const QRgb inside = image.pixel(middle, image.height() / 2);
    const auto plain_from = [&](QPoint at, QPoint step) {
        // Counts the plain pixels from the middle towards an edge.
        int n = 0;
        while (image.rect().contains(at + step) && image.pixel(at + step) == inside) {
            at += step;
            ++n;
        }
        return n;
    };
    const QPoint centre(middle, image.height() / 2);
    const QMargins border(centre.x() - plain_from(centre, {-1, 0}),
                          centre.y() - plain_from(centre, {0, -1}),
                          image.width() - 1 - centre.x() - plain_from(centre, {1, 0}),
                          image.height() - 1 - centre.y() - plain_from(centre, {0, 1}));
    return {QColor(inside), border};
}

// The captioned frame CONTROL lies in, through any borderless groups, or
// Ctl::none.
Ctl frame_around(Ctl control) {
    for (Ctl p = layout_row(control).parent; p != Ctl::none; p = layout_row(p).parent) {
        if (layout_row(p).kind == Kind::Frame) return p;
        if (layout_row(p).kind != Kind::Group) return Ctl::none;
    }
    return Ctl::none;
}

// CONTROL's rectangle in pixels relative to the frame around it.
QRect rect_in_frame(Ctl control) {
    QRect r = pixel_rect(layout_row(control).rect);
    for (Ctl p = layout_row(control).parent; layout_row(p).kind == Kind::Group;
         p = layout_row(p).parent)
        r.translate(pixel_rect(layout_row(p).rect).topLeft());
    return r;
}

}  // namespace

Renderer::Renderer(const WindowWidgets& widgets, QPalette system_colours)
    : widgets_(widgets),
      system_(std::move(system_colours)),
      shown_(widgets.controls.size()),
      plain_behind_(widgets.controls.size(), true) {
    // Controls in a frame (right in it or in one of its borderless groups)
    // may reach onto its border or title; only where the frame is plain
    // underneath can they fill with its colour.
    const ControlRow* sample = nullptr;
    for (Ctl id : widgets_.controls)
        if (sample == nullptr && layout_row(id).kind == Kind::Frame) sample = &layout_row(id);
    if (sample == nullptr) return;
    const FrameLook look =
        frame_look(system_, qstring(sample->text), font_for(sample->font, sample->font.size));
    frame_inside_ = look.inside;
    for (std::size_t i = 0; i < widgets_.controls.size(); ++i) {
        const Ctl id = widgets_.controls[i];
        const Ctl frame = frame_around(id);
        if (frame == Ctl::none) continue;
        const QRect inside(QPoint(0, 0), pixel_rect(layout_row(frame).rect).size());
        plain_behind_[i] = inside.marginsRemoved(look.border).contains(rect_in_frame(id));
    }
}

QColor Renderer::behind(Ctl id) const {
    for (Ctl p = layout_row(id).parent; p != Ctl::none; p = layout_row(p).parent) {
        if (layout_row(p).kind == Kind::Frame) return frame_inside_;
    }
    return system_.color(QPalette::Window);
}

void Renderer::forget_text(Ctl id) {
    for (std::size_t i = 0; i < widgets_.controls.size(); ++i) {
        if (widgets_.controls[i] == id) shown_[i].text_known = false;
    }
}

void Renderer::render(const Form& form) {
    for (std::size_t i = 0; i < widgets_.controls.size(); ++i) {
        const Ctl id = widgets_.controls[i];
        render_control(id, form[id], shown_[i], is_showing(form, id));
    }
    align_sign_marks(widgets_);
    render_focus(form);
}

void Renderer::render_control(Ctl id, const Control& now, Shown& shown, bool showing) {
    const ControlRow& row = layout_row(id);
    QWidget* widget = widgets_[id];
    const Control& was = shown.control;
    const bool all = !shown.valid;

    const bool text_changed = all || !shown.text_known || now.text != was.text;
    if (text_changed) set_text(row.kind, widget, now.text);
    if (text_changed || now.backcolor != was.backcolor)
        render_background(static_cast<std::size_t>(&shown - shown_.data()), row, widget, now);
    if (all || now.tooltip != was.tooltip) widget->setToolTip(qstring(now.tooltip));
    if (all || now.enabled != was.enabled) widget->setEnabled(now.enabled);
    if (row.kind != Kind::Line && (all || now.left != was.left || now.top != was.top)) {
        widget->move(pixels(now.left), pixels(now.top));
    }
    if (has_caption(row.kind)) {
        // A hidden caption is fitted once it shows (most of the manual
        // frames stay hidden in a session).
        shown.caption_due = shown.caption_due || text_changed || now.fontsize != was.fontsize;
        if (shown.caption_due && showing) {
            render_caption_font(row, widget, now, shown);
            shown.caption_due = false;
        }
    } else if (all || now.fontsize != was.fontsize) {
        widget->setFont(font_for(row.font, now.fontsize));
    }
    if (all || now.backcolor != was.backcolor || now.forecolor != was.forecolor ||
        now.fillcolor != was.fillcolor) {
        render_colours(id, now);
    }
    if ((row.kind == Kind::Check || row.kind == Kind::Option) && (all || now.value != was.value)) {
        auto* button = static_cast<QAbstractButton*>(widget);
        const QSignalBlocker not_a_click(button);
        button->setChecked(now.value == 1);
    }
    if (row.kind == Kind::Field && (all || now.centred != was.centred)) {
        const Qt::Alignment across = now.centred ? Qt::AlignHCenter : Qt::AlignLeft;
        static_cast<QLineEdit*>(widget)->setAlignment(across | Qt::AlignVCenter);
    }
    // Visibility last: showing a control that already has its state avoids
    // a second paint.
    if (all || now.visible != was.visible) widget->setVisible(now.visible);

    shown.control = now;
    shown.valid = true;
    shown.text_known = true;
}

void Renderer::render_caption_font(const ControlRow& row, QWidget* widget, const Control& now,
                                   Shown& shown) {
    constexpr std::size_t remembered = 64;  // a result label's captions vary without end
    const auto key = std::make_pair(now.text, now.fontsize);
    if (const auto known = shown.fitted.find(key); known != shown.fitted.end()) {
        if (widget->font() != known->second) widget->setFont(known->second);
        return;
    }
    fit_caption(widget, font_for(row.font, now.fontsize));
    if (shown.fitted.size() >= remembered) shown.fitted.clear();
    shown.fitted.emplace(key, widget->font());
}

void Renderer::render_background(std::size_t index, const ControlRow& row, QWidget* widget,
                                 const Control& now) {
    bool fills = false;
    switch (row.kind) {
        case Kind::Label:
            // Labels are opaque, as designed, unless transparent by design,
            // drawn over a picture, lying on a frame's border (which the fill
            // would blot out), or empty and of a colour of their own.
            fills =
                (row.flags & Transparent) == 0 &&
                !static_cast<const HaloLabel*>(widget)->has_halo() &&
                (paints_own_background(now.backcolor) ? !now.text.empty() : plain_behind_[index]);
            break;
        case Kind::Group:
        case Kind::Check:
        case Kind::Option:
            fills = paints_own_background(now.backcolor) || plain_behind_[index];
            break;
        case Kind::Field:
            fills = plain_behind_[index];
            break;
        default:
            return;
    }
    if (widget->autoFillBackground() != fills) widget->setAutoFillBackground(fills);
}

void Renderer::render_colours(Ctl id, const Control& now) {
    const ControlRow& row = layout_row(id);
    QWidget* widget = widgets_[id];
    const QColor back = to_qcolor(now.backcolor, system_);
    const QColor fore = to_qcolor(now.forecolor, system_);
    switch (row.kind) {
        case Kind::Circle:
        case Kind::Box:
            static_cast<ShapeWidget*>(widget)->set_colours(
                fore, (row.flags & Filled) != 0 ? to_qcolor(now.fillcolor, system_) : QColor());
            return;
        case Kind::Line:
            static_cast<LineWidget*>(widget)->set_colour(fore);
            return;
        case Kind::Picture:
            return;
        default:
            break;
    }
    QPalette palette = widget->palette();
    if (row.kind == Kind::Field) {
        set_colour(palette, QPalette::Base, back);
        set_colour(palette, QPalette::Text, fore);
        // Around its rounded frame a field fills with the colour behind it,
        // so that its repaint need not repaint what lies below.
        palette.setColor(QPalette::Window, behind(id));
    } else {
        // On the button face a control fills with what its frame shows there,
        // so that it shows as no patch and its repaint stops at itself.
        const QColor fill = paints_own_background(now.backcolor) ? back : behind(id);
        // Check boxes and option buttons fill in the button role.
        const bool button_role = row.kind == Kind::Check || row.kind == Kind::Option;
        if (fill.isValid())
            palette.setColor(button_role ? widget->backgroundRole() : QPalette::Window, fill);
        set_colour(palette, QPalette::WindowText, fore);
        set_colour(palette, QPalette::ButtonText, fore);
    }
    widget->setPalette(palette);
}

void Renderer::render_focus(const Form& form) {
    if (widgets_.controls.empty()) return;
    if (focus_shown_ != form.focus && focus_shown_ != Ctl::none &&
        layout_row(focus_shown_).kind == Kind::Field && widgets_[focus_shown_] != nullptr) {
        // The field has committed its text: typing there can no longer be
        // undone, and only a focused field shows a selection.
        auto* left = static_cast<QLineEdit*>(widgets_[focus_shown_]);
        const QSignalBlocker not_an_edit(left);
        left->setText(left->text());
        left->deselect();
    }
    focus_shown_ = form.focus;
    QWidget* window = widgets_[widgets_.controls.front()]->window();
    QWidget* target = form.focus != Ctl::none ? widgets_[form.focus] : nullptr;
    if (target == nullptr) {
        // The focus is in another window, or nowhere.
        if (form.focus == Ctl::none && window->focusWidget() != nullptr) {
            window->focusWidget()->clearFocus();
        }
        return;
    }
    if (window->focusWidget() != target) target->setFocus(Qt::OtherFocusReason);
    if (layout_row(form.focus).kind == Kind::Field) {
        show_selection(static_cast<QLineEdit*>(target), form[form.focus]);
    }
}

}  // namespace orlavex::ui
