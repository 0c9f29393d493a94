// Key preview of the main window: every key meant for the window or its
// focused control reaches the model first. Typed characters go through the
// model's character handling (a cancelled character never reaches the
// field; the model inserts accepted ones itself), navigation and stepping
// keys through its key-down handling. A key held with Alt never types: a
// menu key opens its menu (a shortcut of the menu bar), any other reaches the
// model as a key-down alone. The clipboard and undo shortcuts of an entry
// field stay native; the field's edit signals tell the model.
#pragma once

#include "ui/model_link.h"
#include "ui/window_widgets.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QObject>

namespace orlavex::ui {

// The model's modifier mask (Shift 1, Ctrl 2, Alt 4) of Qt's modifiers.
int modifier_mask(Qt::KeyboardModifiers modifiers);

class KeyForwarder : public QObject {
  public:
    KeyForwarder(ModelLink& link, const WindowWidgets& widgets, QWidget* window);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // True when the key is used up; false leaves it to the widget.
    bool forward(QKeyEvent* key);
    // Types CH (a character or a Backspace) through the model into FIELD,
    // the focused entry field, or into the focused control when FIELD is
    // nullptr.
    void type_into(QLineEdit* field, QChar ch);

    ModelLink& link_;
    const WindowWidgets& widgets_;
    QWidget* window_;
};

}  // namespace orlavex::ui
