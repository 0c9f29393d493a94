#include "ui/key_forwarder.h"

#include "window/entry_fields.h"
#include "window/user_actions.h"

#include <QLineEdit>
#include <QSignalBlocker>

#include <array>

namespace orlavex::ui {

namespace {

struct KeyCode {
    int qt_key;
    int model_key;
};

// Keys that act through the model's key-down handling alone.
constexpr std::array<KeyCode, 11> navigation_keys{{
    {Qt::Key_Tab, key::tab},
    {Qt::Key_Return, key::enter},
    {Qt::Key_Enter, key::enter},
    {Qt::Key_PageUp, key::page_up},
    {Qt::Key_PageDown, key::page_down},
    {Qt::Key_Up, key::up},
    {Qt::Key_Down, key::down},
    {Qt::Key_Left, key::left},
    {Qt::Key_Right, key::right},
    {Qt::Key_Home, key::home},
    {Qt::Key_End, key::end},
}};

// Key codes of the platform for keys that also keep their native editing.
constexpr int insert_code = 45;
constexpr int delete_code = 46;

bool is_native_edit(const QKeyEvent* key) {
    for (QKeySequence::StandardKey edit :
         {QKeySequence::Copy, QKeySequence::Cut, QKeySequence::Paste, QKeySequence::SelectAll,
          QKeySequence::Undo, QKeySequence::Redo, QKeySequence::Delete}) {
        if (key->matches(edit)) return true;
    }
    return false;
}

int platform_key_code(int qt_key) {
    // Letters and digits have the same codes as the platform's.
    if ((qt_key >= Qt::Key_A && qt_key <= Qt::Key_Z) ||
        (qt_key >= Qt::Key_0 && qt_key <= Qt::Key_9))
        return qt_key;
    if (qt_key == Qt::Key_Insert) return insert_code;
    if (qt_key == Qt::Key_Delete) return delete_code;
    return 0;
}

char model_character(QChar c) {
    // The model's character filter refuses everything outside plain ASCII.
    return c.unicode() < 0x80 ? static_cast<char>(c.unicode()) : '?';
}

// The text FIELD would hold after its own editing of CH (a character, or
// a Backspace) at its selection.
QString natively_edited(const QLineEdit* field, QChar ch) {
    QString text = field->text();
    int start = field->cursorPosition();
    int length = 0;
    if (field->hasSelectedText()) {
        start = field->selectionStart();
        length = field->selectionLength();
    }
    if (ch != QChar(key::backspace)) return text.replace(start, length, ch);
    if (length == 0 && start > 0) return text.remove(start - 1, 1);
    return text.remove(start, length);
}

// Keys after which the focused field's text counts as committed.
bool commits(int model_key) {
    return model_key == key::enter || model_key == key::page_up || model_key == key::page_down ||
           model_key == key::up || model_key == key::down;
}

// Forgets what can be undone in FIELD, keeping its text.
void clear_undo(QLineEdit* field) {
    if (!field->isUndoAvailable() && !field->isRedoAvailable()) return;
    const QSignalBlocker not_an_edit(field);
    const int caret = field->cursorPosition();
    field->setText(field->text());
    field->setCursorPosition(caret);
}

}  // namespace

int modifier_mask(Qt::KeyboardModifiers modifiers) {
    int mask = 0;
    if (modifiers & Qt::ShiftModifier) mask |= shift_mask;
    if (modifiers & Qt::ControlModifier) mask |= ctrl_mask;
    if (modifiers & Qt::AltModifier) mask |= alt_mask;
    return mask;
}

KeyForwarder::KeyForwarder(ModelLink& link, const WindowWidgets& widgets, QWidget* window)
    : QObject(window), link_(link), widgets_(widgets), window_(window) {
    window->installEventFilter(this);
    for (Ctl id : widgets.controls)
        widgets[id]->installEventFilter(this);
}

bool KeyForwarder::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    // A key a widget leaves travels on to its parents; take it only where it
    // was first delivered.
    QWidget* target = window_->focusWidget() != nullptr ? window_->focusWidget() : window_;
    if (watched != target) return false;
    return forward(static_cast<QKeyEvent*>(event));
}

bool KeyForwarder::forward(QKeyEvent* key) {
    const int mask = modifier_mask(key->modifiers());
    if (key->key() == Qt::Key_Backtab) {
        link_.act([mask](Calculator& calc) { press_key(calc, key::tab, mask | shift_mask); });
        return true;
    }
    auto* field = qobject_cast<QLineEdit*>(window_->focusWidget());
    for (const KeyCode& k : navigation_keys) {
        if (key->key() == k.qt_key) {
            if (field != nullptr && commits(k.model_key)) clear_undo(field);
            link_.act([&](Calculator& calc) { press_key(calc, k.model_key, mask); });
            return true;
        }
    }
    if ((mask & alt_mask) != 0 && !key->text().isEmpty()) {
        // A menu key that opened no menu (those are shortcuts and never get
        // here): its key-down reaches the model, and the focused field, which
        // would take Alt+letter as typing, never sees it.
        const int code =
            key->key() == Qt::Key_Backspace ? key::backspace : platform_key_code(key->key());
        link_.act([&](Calculator& calc) { press_key(calc, code, mask); });
        return true;
    }
    if (key->key() == Qt::Key_Backspace) {
        type_into(field, QChar(key::backspace));
        return true;
    }
    const bool in_field = field != nullptr;
    if (in_field && is_native_edit(key)) {
        // The key-down reaches the model; the field then edits natively.
        const int code = platform_key_code(key->key());
        link_.act([&](Calculator& calc) { press_key(calc, code, mask); });
        return false;
    }
    if (key->text().isEmpty()) return false;  // Alt alone, function keys
    // The model works a focused check box or option button on the space bar.
    for (QChar c : key->text())
        type_into(field, c);
    return true;
}

void KeyForwarder::type_into(QLineEdit* field, QChar ch) {
    const Ctl id = field != nullptr ? widgets_.find(field) : Ctl::none;
    const QString edited = id != Ctl::none ? natively_edited(field, ch) : QString();
    link_.act([&](Calculator& calc) {
        type_character(calc, model_character(ch));
        // Where the model's editing agrees with the field's own, the field
        // edits itself, so that Ctrl+Z can undo the typing.
        if (id == Ctl::none || calc.form.focus != id) return;
        if (calc.form[id].text != edited.toStdString()) return;
        const QSignalBlocker already_in_model(field);
        if (ch == QChar(key::backspace)) {
            field->backspace();
        } else {
            field->insert(QString(ch));
        }
    });
}

}  // namespace orlavex::ui
