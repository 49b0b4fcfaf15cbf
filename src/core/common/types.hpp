#pragma once
// Things the core receives from its caller instead of reading them from the
// system: the message lookup of the current language and the user's decimal
// separator.

#include <functional>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "core/common/messageids.hpp"

namespace zerlant {

// A function from a message number to its text.
template <class F>
concept MessageSource = std::is_invocable_r_v<std::string, F&, int>;

// The messages of the current language; the empty text for one that is
// missing.  The program asks for a message by its name; byNumber serves the
// numbers that come from data (the keys of the language file itself).
class MessageLookup {
  public:
    MessageLookup() = default;
    template <MessageSource F>
    MessageLookup(F byNumber) : byNumber_(std::move(byNumber)) {}

    std::string operator()(MessageId id) const { return byNumber_(messageNumber(id)); }
    std::string byNumber(int number) const { return byNumber_(number); }
    explicit operator bool() const { return static_cast<bool>(byNumber_); }

  private:
    std::function<std::string(int)> byNumber_;
};

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
