#pragma once
// Scratch folders and whole-file reads for the report tests.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

namespace reporttest {

// A fresh folder under the system's temporary folder, removed with its contents.
class ScratchDir {
  public:
    ScratchDir() {
        std::random_device random;
        path_ = std::filesystem::temp_directory_path() /
                ("stmtlink_report_" + std::to_string(random()) + std::to_string(random()));
        std::filesystem::create_directories(path_);
    }
    ~ScratchDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string File(const char* name) const { return (path_ / name).string(); }
    // The folder with a trailing separator, as a prefix for file names.
    std::string Prefix() const { return (path_ / "").string(); }

  private:
    std::filesystem::path path_;
};

// Makes a folder the current directory for the life of the object.
class CurrentDir {
  public:
    explicit CurrentDir(const std::filesystem::path& dir)
        : previous_(std::filesystem::current_path()) {
        std::filesystem::current_path(dir);
    }
    ~CurrentDir() { std::filesystem::current_path(previous_); }
    CurrentDir(const CurrentDir&) = delete;
    CurrentDir& operator=(const CurrentDir&) = delete;

  private:
    std::filesystem::path previous_;
};

inline std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::filesystem::path Fixture(const char* relative) {
    const char* root = std::getenv("STMTLINK_FIXTURES");
    return std::filesystem::path(root ? root : "") / relative;
}

}  // namespace reporttest
