#include "datafiles/file_bytes.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include <sys/stat.h>
#include <unistd.h>

namespace orlavex::datafiles {
namespace {

class FileBytesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "orlavex-bytes-XXXXXX");
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::filesystem::path file(const std::string& name, const std::string& bytes) const {
        const std::filesystem::path path = dir_ / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    std::filesystem::path dir_;
};

// Bytes of every value, so that a lost or doubled chunk shows.
std::string pattern_of(std::size_t size) {
    std::string text(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        text[i] = static_cast<char>((i * 131 + i / 251) & 0xff);
    return text;
}

TEST_F(FileBytesTest, RegularFilesAreReadWhole) {
    // Sizes about the page and the least capacity, where growing goes wrong.
    for (const std::size_t size :
         {0UL, 1UL, 4095UL, 4096UL, 65535UL, 65536UL, 65537UL, 3000017UL}) {
        const std::string bytes = pattern_of(size);
        const FileBytes read(file("f" + std::to_string(size), bytes));
        ASSERT_TRUE(read.ok()) << size;
        EXPECT_EQ(read.text(), bytes) << size;
    }
}

TEST_F(FileBytesTest, AFileOfUnknownSizeIsReadToItsEnd) {
    // A pipe has no size: the bytes are read until the writer closes it,
    // growing the memory several times.
    const std::filesystem::path fifo = dir_ / "pipe";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string bytes = pattern_of(700001);
    std::thread writer([&] { std::ofstream(fifo, std::ios::binary) << bytes; });
    const FileBytes read(fifo);
    writer.join();
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read.text(), bytes);
}

TEST_F(FileBytesTest, BytesReadStayWhenTheFileIsCutShortAfterwards) {
    // Another program saving the file anew truncates it while the bytes are
    // still being parsed. Bytes mapped from the file would then be gone
    // (SIGBUS on the next access); bytes read stay as they were.
    const std::string bytes = pattern_of(300000);
    const std::filesystem::path path = file("saved", bytes);
    const FileBytes read(path);
    std::filesystem::resize_file(path, 0);
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read.text(), bytes);
}

TEST_F(FileBytesTest, AMissingFileIsNotOk) {
    EXPECT_FALSE(FileBytes(dir_ / "missing").ok());
}

}  // namespace
}  // namespace orlavex::datafiles
