#pragma once
// The rename rules and the preview of new names.
//
// RenameOptions holds what the Rename panel shows: the chosen rule and the
// parameters of every rule, number boxes as the text they hold (they are read
// afresh on every preview).  The window and zerlant-cli fill the same struct.

#include <optional>
#include <string>
#include <string_view>

#include "core/common/types.hpp"

namespace zerlant {

enum class RenameRule { Insert = 0, Delete, Remove, Replace, Extension, Case, Number };
enum class Placement { Prefix = 0, Suffix, Position };
enum class DeleteFrom { Position = 0, Delimiter };
enum class DeleteTo { Count = 0, Delimiter, End };
enum class Occurrence { All = 0, First, Last };
enum class CaseChange { Upper = 0, Lower, Title, Invert };

struct RenameOptions {
    RenameRule rule = RenameRule::Insert;

    // Insert
    std::string insertText;
    Placement insertAt = Placement::Prefix;
    std::string insertPosition = "1";
    bool insertKeepExtension = false;  // suffix only: insert before the extension

    // Delete
    DeleteFrom deleteFrom = DeleteFrom::Position;
    std::string deleteFromPosition = "1";
    std::string deleteFromDelimiter = "-";
    DeleteTo deleteTo = DeleteTo::Count;
    std::string deleteToCount = "1";
    std::string deleteToDelimiter = "-";
    bool deleteKeepExtension = false;

    // Remove
    std::string removeText;
    Occurrence removeWhich = Occurrence::All;

    // Replace
    std::string replaceText;
    std::string replaceWith;
    Occurrence replaceWhich = Occurrence::All;

    // Extension (without the dot)
    std::string newExtension;

    // Case
    CaseChange caseChange = CaseChange::Upper;
    bool caseKeepExtension = false;

    // Number
    std::string numberStart = "1";
    std::string numberWidth = "1";
    std::string numberFill = "0";
    Placement numberAt = Placement::Prefix;
    std::string numberPosition = "1";
    bool numberKeepExtension = false;  // suffix only: number before the extension
};

// `number` as decimal text preceded by `fill` repeated (width - digit count)
// times; no fill where the width does not exceed the digit count.
std::string numeroconrelleno(long number, long width, std::string_view fill);

// A number box's text as a 16-bit whole number: blanks around it allowed, an
// optional sign, digits only.  nullopt for anything else.
std::optional<int> boxNumber(std::string_view text);

// The new name that the rule gives the file name `name` in grid row `row`
// (1 for the first entry; the numbering rule counts every row).
//  * nullopt: the rule does not apply (remove/replace with an empty text);
//    the row's new-name cell keeps what it had.
//  * an empty text: no new name for this row (nothing to cut or replace, or a
//    number box that is not a valid whole number, or a position or count
//    below 1).
std::optional<std::string> previewName(const RenameOptions& options, std::string_view name,
                                       int row);

// Fills the new name of every entry row (rows 1..n; row 0 is the heading),
// checked or not.
void preview(const RenameOptions& options, FileRows& rows);

}  // namespace zerlant
