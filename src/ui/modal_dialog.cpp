#include "ui/modal_dialog.h"

#include "ui/qstring.h"
#include "ui/twips.h"
#include "ui/widget_factory.h"
#include "window/user_actions.h"

#include <QPushButton>

namespace orlavex::ui {

ModalDialog::ModalDialog(Ctl window, ModelLink& link, PictureLibrary& pictures, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      link_(link) {
    const ControlRow& row = layout_row(window);
    setObjectName(qstring(row.name));
    setModal(true);
    setFixedSize(pixels(row.rect.width), pixels(row.rect.height));
    widgets_ = build_window_controls(window, this, pictures);
    renderer_ = std::make_unique<Renderer>(widgets_, palette());
    new MouseForwarder(link, widgets_, this);
    for (Ctl id : widgets_.controls) {
        if (layout_row(id).kind != Kind::Button) continue;
        if ((layout_row(id).flags & CancelButton) != 0) cancel_button_ = id;
        auto* button = static_cast<QPushButton*>(widgets_[id]);
        connect(button, &QPushButton::clicked, this,
                [this, id] { link_.act([id](Calculator& calc) { click_control(calc, id); }); });
    }
}

void ModalDialog::render(const Form& form) {
    setWindowTitle(QString::fromStdString(form[window()].text));
    renderer_->render(form);
}

void ModalDialog::reject() {
    // Esc and the close box act as the cancel button; the model closes the
    // window (the main window then ends this dialog).
    if (cancel_button_ == Ctl::none) {
        QDialog::reject();
        return;
    }
    const Ctl cancel = cancel_button_;
    link_.act([cancel](Calculator& calc) { click_control(calc, cancel); });
}

}  // namespace orlavex::ui
