#include "core/files/paths.hpp"

#include <sys/stat.h>

#include <filesystem>

namespace zerlant {

namespace {
std::string_view nameOf(std::string_view path) {
    auto at = path.rfind(kPathSeparator);
    return at == std::string_view::npos ? path : path.substr(at + 1);
}
std::string tidyAbsolute(const std::string& path) {
    std::error_code ec;
    auto abs = std::filesystem::absolute(path, ec);
    return ec ? path : abs.lexically_normal().string();
}

}  // namespace

std::string carpetadearchivo(std::string_view path) {
    auto at = path.rfind(kPathSeparator);
    return at == std::string_view::npos ? std::string() : std::string(path.substr(0, at + 1));
}

std::string nombredearchivo(std::string_view path, bool keepExtension) {
    std::string_view name = nameOf(path);
    if (name.empty() || keepExtension)
        return std::string(name);
    auto dot = name.rfind('.');
    return std::string(dot == std::string_view::npos ? name : name.substr(0, dot));
}

std::string extensiondearchivo(std::string_view path) {
    std::string_view name = nameOf(path);
    auto dot = name.rfind('.');
    return std::string(dot == std::string_view::npos ? name : name.substr(dot + 1));
}

std::optional<std::string> outputIsAnInput(const std::string& output,
                                           const std::vector<std::string>& inputs) {
    struct stat out {};
    const bool outExists = ::stat(output.c_str(), &out) == 0;
    const std::string outTidy = tidyAbsolute(output);
    for (const std::string& input : inputs) {
        if (input == output || tidyAbsolute(input) == outTidy)
            return input;
        struct stat in {};
        if (outExists && ::stat(input.c_str(), &in) == 0 && in.st_dev == out.st_dev &&
            in.st_ino == out.st_ino)
            return input;
    }
    return std::nullopt;
}

}  // namespace zerlant
