#pragma once
// Things the core receives from its caller instead of reading them from the
// system: the message lookup of the current language and the user's decimal
// separator.

#include <functional>
#include <string>
#include <vector>

namespace zerlant {

// Message N of the current language; the empty text when it is missing.
using MessageLookup = std::function<std::string(int)>;

// The decimal separator of the user's number format ('.' or ',').  Numbers
// read from Gaussian and AIM files always use '.', whatever this says.
struct NumberFormat {
    char decimalSeparator = '.';
};

// One row of the working file list.  Row 0 of a list is the heading row; its
// check flag is the switch-all box and its name is the heading text.
struct FileRow {
    bool checked = false;
    std::string name;     // file name as shown
    std::string path;     // full path
    std::string newName;  // proposed new name (Rename panel)
};
using FileRows = std::vector<FileRow>;

}  // namespace zerlant
