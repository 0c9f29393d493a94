#include "ui/main_window.h"

#include "ui/field_edits.h"
#include "ui/key_forwarder.h"
#include "ui/modal_dialog.h"
#include "ui/mouse_forwarder.h"
#include "ui/screen_fit.h"
#include "ui/twips.h"
#include "ui/widget_factory.h"
#include "window/handlers.h"
#include "window/help.h"
#include "window/user_actions.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QDesktopServices>
#include <QLayout>
#include <QLocale>
#include <QMenuBar>
#include <QPointer>
#include <QScreen>
#include <QTimer>

namespace orlavex::ui {

namespace {

constexpr Qt::WindowFlags fixed_window_flags =
    Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
    Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint;

char locale_decimal_separator() {
    const QString point = QLocale().decimalPoint();
    return point == QStringLiteral(",") ? ',' : '.';
}

}  // namespace

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent, fixed_window_flags),
      calc_(make_calculator()),
      link_(calc_),
      documents_(DocumentFolder::beside(QCoreApplication::applicationDirPath())),
      choose_popup_item_([](QMenu& menu) { return menu.exec(QCursor::pos()); }),
      open_url_([](const QUrl& url) { QDesktopServices::openUrl(url); }) {
    setObjectName(QStringLiteral("frmNFCalc"));
    calc_.form.decimal_separator = locale_decimal_separator();
    Form_Load(calc_);

    setWindowIcon(pictures_.window_icon());
    client_ = new QWidget;
    client_->setObjectName(QStringLiteral("client"));
    setCentralWidget(new ScreenFit(
        client_, [this] { return room_for_client(); }, this));
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    widgets_ = build_window_controls(Ctl::frmNFCalc, client_, pictures_);
    renderer_ = std::make_unique<Renderer>(widgets_, palette());
    menus_ = std::make_unique<MenuBar>(menuBar(), [this](Ctl item) {
        link_.act([item](Calculator& calc) { click_control(calc, item); });
    });
    new KeyForwarder(link_, widgets_, this);
    new MouseForwarder(link_, widgets_, this);
    new FieldEdits(
        link_, widgets_, [this](Ctl field) { renderer_->forget_text(field); }, this);
    link_.set_after_action([this] { show_model(); });
    render();
}

MainWindow::~MainWindow() = default;

void MainWindow::render() {
    const Form& form = calc_.form;
    if (form.height != shown_height_) {
        shown_height_ = form.height;
        client_->setFixedSize(pixels(layout_row(Ctl::frmNFCalc).rect.width),
                              pixels(form.height - title_and_menu_twips));
        centralWidget()->updateGeometry();  // the window takes the new size
    }
    const QString caption = QString::fromStdString(form.caption);
    if (caption != windowTitle()) setWindowTitle(caption);
    renderer_->render(form);
    menus_->render(form);
    if (dialog_ != nullptr) dialog_->render(form);
}

void MainWindow::show_model() {
    render();
    open_addresses();
    if (calc_.form.unloaded) {
        close();
        return;
    }
    if (dialog_ != nullptr && calc_.form.dialog != dialog_->window()) {
        dialog_->done(QDialog::Accepted);  // the model closed it; its exec returns
        return;
    }
    if (calc_.form.popup != Ctl::none) {
        show_popup();
        return;
    }
    if (dialog_ == nullptr && calc_.form.dialog != Ctl::none) show_dialog();
}

void MainWindow::open_addresses() {
    if (calc_.form.opened.empty()) return;
    const std::vector<std::string> addresses = std::move(calc_.form.opened);
    calc_.form.opened.clear();
    for (const std::string& address : addresses)
        open_url_(documents_.url_for(address));
}

void MainWindow::show_popup() {
    const Ctl menu_id = calc_.form.popup;
    calc_.form.popup = Ctl::none;
    const std::unique_ptr<QMenu> menu = build_popup_menu(calc_.form, menu_id, this);
    const Ctl chosen = control_of_action(choose_popup_item_(*menu));
    if (chosen != Ctl::none) {
        link_.act([chosen](Calculator& calc) { click_control(calc, chosen); });
    }
}

void MainWindow::show_dialog() {
    ModalDialog dialog(calc_.form.dialog, link_, pictures_, this);
    dialog_ = &dialog;
    dialog.render(calc_.form);
    dialog.exec();
    dialog_ = nullptr;
    show_model();
}

QSize MainWindow::room_for_client() const {
    const QScreen* shown_on = screen();
    if (shown_on == nullptr) return {QWIDGETSIZE_MAX, QWIDGETSIZE_MAX};
    // The window system's frame, once the window has one.
    const QSize decoration = frameGeometry().size() - geometry().size();
    return shown_on->availableGeometry().size() - decoration -
           QSize(0, menuBar()->sizeHint().height());
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // The frame is known once the window system has framed the window.
    QTimer::singleShot(0, this, [this] { centralWidget()->updateGeometry(); });
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!calc_.form.unloaded) Form_Unload(calc_);
    event->accept();
    QCoreApplication::quit();
}

}  // namespace orlavex::ui
