#pragma once
// Splitting a full path into folder, file name and extension, with the
// platform's separator.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/result.hpp"

namespace zerlant {

inline constexpr char kPathSeparator = '/';

// Everything up to and including the last separator; empty when there is none.
std::string carpetadearchivo(std::string_view path);
// The name after the last separator; without keepExtension only the part
// before the name's last '.'.
std::string nombredearchivo(std::string_view path, bool keepExtension);
// What follows the name's last '.'; the whole name when it has no '.'.
std::string extensiondearchivo(std::string_view path);

// The extensions of the files the tools read and of Gaussian's own files, in
// lower case: an existing file of these is never replaced by an export.
inline constexpr std::string_view kInputExtensions[] = {"log", "out", "sum", "gjf",
                                                        "com", "chk", "fchk"};

// The path a write to `path` lands on: a symbolic link is followed to its end
// (a dangling one to the name it points at), anything else is `path`.
std::string linkTarget(const std::string& path);

// The first of `inputs` that `output` would overwrite: the same path once
// both are made absolute and tidied, or the same file on disk (device and
// inode, links followed).  nullopt when writing `output` destroys no input.
std::optional<std::string> outputIsAnInput(const std::string& output,
                                           const std::vector<std::string>& inputs);

// The one rule for every file an export writes: the output must not be one of
// `inputs` (same path, a link to it, or the same file under another name), nor
// an existing file whose name (or the name its link leads to) ends in one of
// kInputExtensions, whatever the inputs.  Gives the reason, ending in
// "nothing written", or nullopt when the output may be written.
std::optional<Error> refusedOutput(const std::string& output,
                                   const std::vector<std::string>& inputs);

}  // namespace zerlant
