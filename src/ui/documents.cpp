#include "ui/documents.h"

#include "ui/qstring.h"
#include "window/help.h"

#include <QDir>
#include <QFileInfo>

namespace orlavex::ui {

DocumentFolder::DocumentFolder(QStringList folders) : folders_(std::move(folders)) {}

DocumentFolder DocumentFolder::beside(const QString& application_dir) {
    return DocumentFolder({application_dir + QStringLiteral("/../share/orlavex/doc"),
                           application_dir + QStringLiteral("/doc")});
}

QUrl DocumentFolder::url_for(std::string_view address) const {
    const QString text = qstring(address);
    if (!address.starts_with(shipped_document_prefix)) return QUrl(text);
    const QString name = text.mid(qsizetype(shipped_document_prefix.size()));
    for (const QString& folder : folders_) {
        const QFileInfo file(QDir(folder), name);
        if (file.exists()) return QUrl::fromLocalFile(file.canonicalFilePath());
    }
    // Not installed: the viewer reports the missing file, the calculator goes on.
    const QString first = folders_.isEmpty() ? QString() : folders_.front();
    return QUrl::fromLocalFile(QDir::cleanPath(first + QLatin1Char('/') + name));
}

}  // namespace orlavex::ui
