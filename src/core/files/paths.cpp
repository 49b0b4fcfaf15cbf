#include "core/files/paths.hpp"

namespace zerlant {

namespace {
std::string_view nameOf(std::string_view path) {
    auto at = path.rfind(kPathSeparator);
    return at == std::string_view::npos ? path : path.substr(at + 1);
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

}  // namespace zerlant
