#pragma once
// The working file list: the files the user has gathered for a tool, each
// with a check mark.  Row 0 is the heading row (its check flag is the
// switch-all box, its name the column heading); entries are rows 1..n in the
// order they were added.  Names, not paths, are unique in the list, and the
// heading text counts as a name.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/types.hpp"

namespace zerlant {

class WorkingFileList {
  public:
    WorkingFileList();

    // Discards every entry and sets the number of columns (2, or 3 on the
    // Rename panel) and the heading texts.  The heading box is unticked.
    void reset(int columns, std::string heading1, std::string heading2 = {});

    int columns() const { return columns_; }
    // Rows including the heading row; always at least 1.
    std::size_t rowCount() const { return rows_.size(); }
    std::size_t entryCount() const { return rows_.size() - 1; }

    const FileRows& rows() const { return rows_; }
    // Direct access for the tools that untick rows or rewrite names.
    FileRows& rows() { return rows_; }
    const FileRow& row(std::size_t r) const { return rows_.at(r); }

    // False for a row outside the list.
    bool isChecked(std::size_t r) const;
    void setChecked(std::size_t r, bool checked);
    // Flips one row's box; the heading box is left alone by single toggles
    // except when r is 0.
    void toggle(std::size_t r);
    // Flips the heading box and gives every row, the heading included, the
    // heading's new state.
    void switchAll();

    // True when some row, the heading included, has exactly this name.
    bool containsName(std::string_view name) const;

    // Appends the named files of one folder, ticked, skipping every name that
    // is already in the list (also names repeated within `names`).  Returns
    // how many were added.
    std::size_t add(std::string_view folder, const std::vector<std::string>& names);
    // The same for full paths that may come from different folders (files
    // dropped onto the list).
    std::size_t addPaths(const std::vector<std::string>& paths);

    // Removes the ticked entries, keeping the order of the others.  Returns
    // how many were removed.
    std::size_t removeChecked();
    void removeAll();

    // The entries the tools take: ticked rows from 1 on.
    std::vector<std::size_t> checkedEntries() const;

  private:
    bool appendIfNew(std::string name, std::string path);

    int columns_ = 2;
    FileRows rows_;
};

// A file's full path: the folder, one separator, the name.  A folder that
// already ends in the separator (the root) gets no second one.
std::string joinFolder(std::string_view folder, std::string_view name);

// The six tool panels, in toolbar order.
enum class Panel { Extract, Scan, Rename, Substitute, Batch, Aim };

// What showing a panel does to the working list and to the tool's own table.
struct PanelListLayout {
    int columns = 2;
    MessageId heading1Message{};  // the first heading, MessageId{} when literal
    std::string heading1Literal;  // used when heading1Message is MessageId{}
    MessageId heading2Message{};  // only with three columns
    // The result table re-created empty when the panel is shown (0 x 0: none).
    std::size_t tableColumns = 0;
    std::size_t tableRows = 0;
};
PanelListLayout panelListLayout(Panel panel);

// The heading texts of a panel's list, looked up in the current language.
struct PanelHeadings {
    std::string heading1;
    std::string heading2;
};
PanelHeadings panelHeadings(Panel panel, const MessageLookup& message);

}  // namespace zerlant
