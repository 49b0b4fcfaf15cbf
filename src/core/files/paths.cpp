#include "core/files/paths.hpp"

#include <sys/stat.h>

#include <unistd.h>

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

bool hasInputExtension(const std::string& path) {
    std::string name(nameOf(path));
    const auto dot = name.rfind('.');
    if (dot == std::string::npos)
        return false;
    std::string ext = name.substr(dot + 1);
    for (char& c : ext)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    for (std::string_view known : kInputExtensions)
        if (ext == known)
            return true;
    return false;
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

std::string linkTarget(const std::string& path) {
    std::string at = path;
    // As many steps as the kernel follows before it gives up (ELOOP).
    for (int step = 0; step < 40; ++step) {
        struct stat st {};
        if (::lstat(at.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return at;
        std::string to(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 4096) + 1, '\0');
        const ssize_t n = ::readlink(at.c_str(), to.data(), to.size());
        if (n < 0 || static_cast<std::size_t>(n) >= to.size())
            return at;
        to.resize(static_cast<std::size_t>(n));
        at = to.front() == kPathSeparator ? to : carpetadearchivo(at) + to;
    }
    return at;
}

std::optional<Error> refusedOutput(const std::string& output,
                                   const std::vector<std::string>& inputs) {
    if (auto input = outputIsAnInput(output, inputs)) {
        if (*input == output)
            return Error{"the output is also an input; nothing written", output};
        return Error{"the output is the input " + *input + "; nothing written", output};
    }
    const std::string target = linkTarget(output);
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0 &&
        (hasInputExtension(output) || hasInputExtension(target)))
        return Error{"the output is an existing " + extensiondearchivo(target) +
                         " file, and an export never replaces a Gaussian or AIM file; nothing "
                         "written",
                     output};
    return std::nullopt;
}

}  // namespace zerlant
