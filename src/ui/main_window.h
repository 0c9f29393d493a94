// The calculator's main window. It owns the window model, builds the
// widgets from the layout, and after every forwarded action shows the model
// again: it renders the widgets and menus, opens the web addresses and the
// pop-up menu or modal window the model asks for, and closes when the model
// has ended the program.
#pragma once

#include "engine/calculator.h"
#include "ui/documents.h"
#include "ui/menus.h"
#include "ui/model_link.h"
#include "ui/pictures.h"
#include "ui/renderer.h"
#include "ui/window_widgets.h"

#include <QMainWindow>
#include <QUrl>

#include <functional>
#include <memory>

namespace orlavex::ui {

class ModalDialog;

class MainWindow : public QMainWindow {
  public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    const Calculator& calculator() const { return calc_; }
    const WindowWidgets& widgets() const { return widgets_; }
    const MenuBar& menus() const { return *menus_; }
    QWidget* client() const { return client_; }
    // The modal window open now, or nullptr.
    ModalDialog* open_dialog() const { return dialog_; }

    // How a pop-up menu is shown and an item chosen; nullptr when dismissed.
    // By default the menu opens at the mouse pointer.
    using PopupChooser = std::function<QAction*(QMenu& menu)>;
    void set_popup_chooser(PopupChooser chooser) { choose_popup_item_ = std::move(chooser); }

    // How an address is opened; by default with the desktop's browser or
    // viewer, which returns at once whatever happens.
    using UrlOpener = std::function<void(const QUrl& url)>;
    void set_url_opener(UrlOpener opener) { open_url_ = std::move(opener); }

    void set_document_folder(DocumentFolder folder) { documents_ = std::move(folder); }

    // Shows the model after an action.
    void show_model();

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    // The space the screen leaves for the client area: beyond it, the
    // client scrolls.
    QSize room_for_client() const;
    void render();
    void open_addresses();
    void show_popup();
    void show_dialog();

    Calculator calc_;
    ModelLink link_;
    PictureLibrary pictures_;
    DocumentFolder documents_;
    QWidget* client_ = nullptr;
    WindowWidgets widgets_;
    std::unique_ptr<Renderer> renderer_;
    std::unique_ptr<MenuBar> menus_;
    ModalDialog* dialog_ = nullptr;
    int shown_height_ = 0;
    PopupChooser choose_popup_item_;
    UrlOpener open_url_;
};

}  // namespace orlavex::ui
