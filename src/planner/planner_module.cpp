#include "planner/planner_module.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <QMainWindow>
#include <QMessageBox>

#include <memory>

namespace orlavex::planner {

QStringList planner_module_directories() {
    const QDir program(QCoreApplication::applicationDirPath());
    return {program.path(),
            QDir::cleanPath(program.filePath(QStringLiteral(ORLAVEX_PLANNER_MODULE_DIR)))};
}

PlannerEntryPoint load_planner_module(const QStringList& directories, QString& why) {
    const QString file = QStringLiteral(ORLAVEX_PLANNER_MODULE_FILE);
    for (const QString& directory : directories) {
        const QString path = QDir(directory).filePath(file);
        if (!QFileInfo::exists(path)) continue;
        // Never unloaded: the planner's windows and their code stay until
        // the program ends.
        QLibrary library(path);
        if (!library.load()) {
            why = library.errorString();
            return nullptr;
        }
        if (auto entry =
                reinterpret_cast<PlannerEntryPoint>(library.resolve(planner_entry_point_name)))
            return entry;
        why = library.errorString();
        return nullptr;
    }
    why = QCoreApplication::translate("orlavex", "%1 is in none of %2")
              .arg(file, directories.join(QStringLiteral(", ")));
    return nullptr;
}

PlannerOpener open_from_module(QStringList directories) {
    auto entry = std::make_shared<PlannerEntryPoint>(nullptr);
    return [entry, directories = std::move(directories)](QMainWindow& window,
                                                         const CalculatorSource& calculator) {
        if (*entry == nullptr) {
            QString why;
            *entry = load_planner_module(directories, why);
            if (*entry == nullptr) {
                QMessageBox::warning(
                    &window, QCoreApplication::translate("orlavex", "Planner"),
                    QCoreApplication::translate("orlavex", "The planner cannot be loaded: %1")
                        .arg(why));
                return;
            }
        }
        (*entry)(&window, &calculator);
    };
}

}  // namespace orlavex::planner
