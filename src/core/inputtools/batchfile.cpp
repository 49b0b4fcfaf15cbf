#include "core/inputtools/batchfile.hpp"

#include "core/files/filetext.hpp"
#include "core/files/paths.hpp"

namespace zerlant {

namespace {
constexpr const char* kHeader =
    "!\r\n"
    "!user created batch file list\r\n"
    "!start = 1\r\n"
    "!\r\n";
}  // namespace

std::string bcfJobLine(const std::string& path, const BcfOptions& options) {
    std::string prefix = options.fullPaths ? carpetadearchivo(path) : std::string();
    std::string name = nombredearchivo(path, true);
    auto dot = name.rfind('.');
    std::string base = dot == std::string::npos ? name : name.substr(0, dot);
    return prefix + name + " , " + prefix + base + "." + options.outputExtension;
}

std::string bcfText(const FileRows& rows, const BcfOptions& options) {
    std::string out = kHeader;
    for (std::size_t r = 1; r < rows.size(); ++r) {
        if (!rows[r].checked)
            continue;
        out += bcfJobLine(rows[r].path, options);
        out += "\r\n";
    }
    return out;
}

Result<std::string> writeBcf(const FileRows& rows, const BcfOptions& options,
                             const std::string& folder) {
    if (options.name.empty())
        return Error{"the batch file needs a name", ""};
    if (options.name.find('/') != std::string::npos)
        return Error{"a batch file name cannot hold '/'", options.name};
    std::string path = folder;
    if (!path.empty() && path.back() != '/')
        path += '/';
    path += options.name + ".bcf";
    if (Status s = writeFileAtomically(path, bcfText(rows, options)); !s)
        return s.error();
    return path;
}

}  // namespace zerlant
