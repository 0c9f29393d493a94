#include "planner/recent_files.h"

#include <QFileInfo>
#include <QSettings>

namespace orlavex::planner {

namespace {

QSettings settings() {
    return QSettings(QStringLiteral("orlavex"), QStringLiteral("planner"));
}

constexpr QLatin1StringView key("recentSetupFiles");

}  // namespace

QStringList RecentFiles::paths() const {
    return settings().value(key).toStringList();
}

void RecentFiles::add(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList list = paths();
    list.removeAll(absolute);
    list.prepend(absolute);
    store(list.mid(0, most_recent_files));
}

void RecentFiles::remove(const QString& path) {
    QStringList list = paths();
    list.removeAll(QFileInfo(path).absoluteFilePath());
    store(list);
}

void RecentFiles::clear() {
    store({});
}

void RecentFiles::store(const QStringList& list) {
    QSettings s = settings();
    if (list.isEmpty()) {
        s.remove(key);
    } else {
        s.setValue(key, list);
    }
}

}  // namespace orlavex::planner
