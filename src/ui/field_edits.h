// Native edits of the entry fields (clipboard, undo, delete, the context
// menu) and mouse selections: the field already shows them, so the model
// only takes them over, the text as pasted text (not filtered) and the
// selection as the user's selection.
#pragma once

#include "ui/model_link.h"
#include "ui/window_widgets.h"

#include <QObject>

#include <functional>

namespace orlavex::ui {

class FieldEdits : public QObject {
  public:
    // EDITED runs after the model has taken over a native edit of a field.
    FieldEdits(ModelLink& link, const WindowWidgets& widgets, std::function<void(Ctl)> edited,
               QObject* parent);
};

}  // namespace orlavex::ui
