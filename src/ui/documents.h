// Web addresses as the model asks to open them: web pages as they are, and
// the documents that ship with the program ("doc/NAME") as files of the
// installed document folder or, in the build tree, of the copy beside the
// executable.
#pragma once

#include <QStringList>
#include <QUrl>

#include <string_view>

namespace orlavex::ui {

class DocumentFolder {
  public:
    // Folders searched in order for a shipped document.
    explicit DocumentFolder(QStringList folders);

    // The installed folder (PREFIX/share/orlavex/doc beside PREFIX/bin) and
    // the build tree's copy, for an executable in APPLICATION_DIR.
    static DocumentFolder beside(const QString& application_dir);

    QUrl url_for(std::string_view address) const;

  private:
    QStringList folders_;
};

}  // namespace orlavex::ui
