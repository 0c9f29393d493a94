#include "ui/field_edits.h"

#include "ui/text_positions.h"
#include "window/user_actions.h"

#include <QLineEdit>

namespace orlavex::ui {

namespace {

void note_selection(Calculator& calc, const QLineEdit* field) {
    const QString text = field->text();
    int start = field->cursorPosition();
    int end = start;
    if (field->hasSelectedText()) {
        start = field->selectionStart();
        end = start + field->selectionLength();
    }
    const int byte_start = utf8_position(text, start);
    select_text(calc, byte_start, utf8_position(text, end) - byte_start);
}

}  // namespace

FieldEdits::FieldEdits(ModelLink& link, const WindowWidgets& widgets,
                       std::function<void(Ctl)> edited, QObject* parent)
    : QObject(parent) {
    for (Ctl id : widgets.controls) {
        if (layout_row(id).kind != Kind::Field) continue;
        auto* field = static_cast<QLineEdit*>(widgets[id]);
        ModelLink* model = &link;
        connect(field, &QLineEdit::textEdited, this,
                [model, field, id, edited](const QString& text) {
                    model->note([&](Calculator& calc) {
                        paste_text(calc, id, text.toStdString());
                        if (calc.form.focus == id) note_selection(calc, field);
                    });
                    // The text the window last wrote is no longer what it shows.
                    edited(id);
                });
        const auto selection_moved = [model, field, id] {
            model->note([&](Calculator& calc) {
                // While a native edit runs, the model may still hold the old text;
                // the edit's own notice brings the selection in afterwards.
                if (calc.form.focus == id && calc.form[id].text == field->text().toStdString()) {
                    note_selection(calc, field);
                }
            });
        };
        connect(field, &QLineEdit::selectionChanged, this, selection_moved);
        connect(field, &QLineEdit::cursorPositionChanged, this, selection_moved);
    }
}

}  // namespace orlavex::ui
