// A file's bytes in memory, mapped where the system can: read straight
// from the page cache, nothing copied and no memory cleared for them. A
// file that cannot be mapped (empty, or a kind the system does not map) is
// read instead.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace orlavex::datafiles {

class FileBytes {
  public:
    // ok() is false when the file cannot be opened or read.
    explicit FileBytes(const std::filesystem::path& path);
    ~FileBytes();
    FileBytes(const FileBytes&) = delete;
    FileBytes& operator=(const FileBytes&) = delete;

    bool ok() const { return ok_; }
    // Valid while this object is.
    std::string_view text() const { return text_; }

  private:
    void* map_ = nullptr;
    std::size_t mapped_ = 0;
    std::string read_;  // the bytes of a file that was not mapped
    std::string_view text_;
    bool ok_ = false;
};

}  // namespace orlavex::datafiles
