#pragma once
// Helpers shared by the tests: the real data folder and temporary folders.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace zerlant::testing {

// The folder of real Gaussian/AIM outputs, or empty when it is not there.
inline std::filesystem::path dataDir() {
    const char* env = std::getenv("ZERLANT_DATA");
    std::filesystem::path p = env && *env ? env : ZERLANT_SHARED_DATA;
    return std::filesystem::is_directory(p) ? p : std::filesystem::path();
}

// Path of one data file; skips the calling test when the data is absent.
#define ZERLANT_DATA_FILE(var, name)                                 \
    std::filesystem::path var = ::zerlant::testing::dataDir();       \
    if (var.empty())                                                 \
        GTEST_SKIP() << "real data folder ../shared/data is absent"; \
    var /= (name);                                                   \
    if (!std::filesystem::exists(var))                               \
    GTEST_SKIP() << "missing data file " << (name)

// A fresh temporary folder removed at the end of the test.
class TempDir {
  public:
    TempDir() {
        std::random_device rd;
        path_ = std::filesystem::temp_directory_path() /
                ("zerlant-test-" + std::to_string(rd()) + std::to_string(rd()));
        std::filesystem::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(path_, ec);
    }
    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }
    std::string write(const std::string& name, const std::string& bytes) const {
        std::ofstream(path_ / name, std::ios::binary) << bytes;
        return file(name);
    }

  private:
    std::filesystem::path path_;
};

inline std::string readAll(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace zerlant::testing
