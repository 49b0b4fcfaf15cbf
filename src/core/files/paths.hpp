#pragma once
// Splitting a full path into folder, file name and extension, with the
// platform's separator.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zerlant {

inline constexpr char kPathSeparator = '/';

// Everything up to and including the last separator; empty when there is none.
std::string carpetadearchivo(std::string_view path);
// The name after the last separator; without keepExtension only the part
// before the name's last '.'.
std::string nombredearchivo(std::string_view path, bool keepExtension);
// What follows the name's last '.'; the whole name when it has no '.'.
std::string extensiondearchivo(std::string_view path);

// The first of `inputs` that `output` would overwrite: the same path once
// both are made absolute and tidied, or the same file on disk (device and
// inode, links followed).  nullopt when writing `output` destroys no input.
std::optional<std::string> outputIsAnInput(const std::string& output,
                                           const std::vector<std::string>& inputs);

}  // namespace zerlant
