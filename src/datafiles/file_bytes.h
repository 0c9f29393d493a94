// A file's bytes in memory, copied once into fresh memory taken all at
// once (in huge pages where the system gives them) rather than page by
// page. The file is read, not mapped: a mapped file that another program
// truncates while it is parsed would stop the process with SIGBUS.
#pragma once

#include <cstddef>
#include <filesystem>
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
    std::string_view text() const { return {static_cast<const char*>(memory_), size_}; }

  private:
    // Makes room for at least NEEDED bytes, keeping those read so far.
    bool reserve(std::size_t needed);

    void* memory_ = nullptr;
    std::size_t capacity_ = 0;
    std::size_t size_ = 0;
    bool ok_ = false;
};

}  // namespace orlavex::datafiles
