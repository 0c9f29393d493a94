#include "planner/profile_choice.h"

#include "instruments/measurement_run.h"

#include <QComboBox>
#include <QFileDialog>

namespace orlavex::planner {

std::vector<std::string> shipped_profiles_of(instruments::ProfileKind kind) {
    std::vector<std::string> names;
    for (std::string& name : instruments::shipped_profiles()) {
        try {
            if (instruments::profile_named(name).kind == kind) names.push_back(std::move(name));
        } catch (const instruments::ProfileError&) {
            // A broken file is named when it is chosen as a file, not offered.
        }
    }
    return names;
}

void fill_profile_choice(QComboBox& box, instruments::ProfileKind kind) {
    box.clear();
    for (const std::string& name : shipped_profiles_of(kind))
        box.addItem(QString::fromStdString(name));
}

void show_profile(QComboBox& box, const QString& name) {
    if (box.findText(name) < 0) box.addItem(name);
    box.setCurrentIndex(box.findText(name));
}

void choose_profile_file(QWidget* parent, const QString& title, QComboBox& box) {
    const QString path =
        QFileDialog::getOpenFileName(parent, title, QString(), QObject::tr("Profiles (*.json)"));
    if (!path.isEmpty()) show_profile(box, path);
}

}  // namespace orlavex::planner
