// The set-up files opened or saved last, newest first, kept in the user's
// settings between sessions.
#pragma once

#include <QString>
#include <QStringList>

namespace orlavex::planner {

inline constexpr int most_recent_files = 8;

class RecentFiles {
  public:
    QStringList paths() const;
    // PATH moves to the front; the oldest beyond most_recent_files drops out.
    void add(const QString& path);
    void remove(const QString& path);
    void clear();

  private:
    void store(const QStringList& paths);
};

}  // namespace orlavex::planner
