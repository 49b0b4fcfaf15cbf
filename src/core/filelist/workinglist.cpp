#include "core/filelist/workinglist.hpp"

#include <algorithm>

#include "core/files/paths.hpp"

namespace zerlant {

WorkingFileList::WorkingFileList() {
    reset(2, {});
}

void WorkingFileList::reset(int columns, std::string heading1, std::string heading2) {
    columns_ = columns == 3 ? 3 : 2;
    rows_.clear();
    FileRow heading;
    heading.checked = false;
    heading.name = std::move(heading1);
    if (columns_ == 3)
        heading.newName = std::move(heading2);
    rows_.push_back(std::move(heading));
}

bool WorkingFileList::isChecked(std::size_t r) const {
    return r < rows_.size() && rows_[r].checked;
}

void WorkingFileList::setChecked(std::size_t r, bool checked) {
    if (r < rows_.size())
        rows_[r].checked = checked;
}

void WorkingFileList::toggle(std::size_t r) {
    if (r < rows_.size())
        rows_[r].checked = !rows_[r].checked;
}

void WorkingFileList::switchAll() {
    const bool state = !rows_.front().checked;
    for (auto& row : rows_) row.checked = state;
}

bool WorkingFileList::containsName(std::string_view name) const {
    return std::any_of(rows_.begin(), rows_.end(),
                       [&](const FileRow& row) { return row.name == name; });
}

bool WorkingFileList::appendIfNew(std::string name, std::string path) {
    if (name.empty() || containsName(name))
        return false;
    FileRow row;
    row.checked = true;
    row.name = std::move(name);
    row.path = std::move(path);
    rows_.push_back(std::move(row));
    return true;
}

std::size_t WorkingFileList::add(std::string_view folder, const std::vector<std::string>& names) {
    std::size_t added = 0;
    for (const auto& name : names) {
        if (appendIfNew(name, joinFolder(folder, name)))
            ++added;
    }
    return added;
}

std::size_t WorkingFileList::addPaths(const std::vector<std::string>& paths) {
    std::size_t added = 0;
    for (const auto& path : paths) {
        if (appendIfNew(nombredearchivo(path, true), path))
            ++added;
    }
    return added;
}

std::size_t WorkingFileList::removeChecked() {
    const auto before = rows_.size();
    rows_.erase(std::remove_if(rows_.begin() + 1, rows_.end(),
                               [](const FileRow& row) { return row.checked; }),
                rows_.end());
    return before - rows_.size();
}

void WorkingFileList::removeAll() {
    rows_.resize(1);
}

std::vector<std::size_t> WorkingFileList::checkedEntries() const {
    std::vector<std::size_t> result;
    for (std::size_t r = 1; r < rows_.size(); ++r) {
        if (rows_[r].checked)
            result.push_back(r);
    }
    return result;
}

std::string joinFolder(std::string_view folder, std::string_view name) {
    std::string path(folder);
    if (path.empty() || path.back() != kPathSeparator)
        path += kPathSeparator;
    path += name;
    return path;
}

PanelListLayout panelListLayout(Panel panel) {
    PanelListLayout layout;
    switch (panel) {
        case Panel::Extract:
            layout.heading1Message = MessageId::Files;
            layout.tableColumns = 38;
            layout.tableRows = 2;
            break;
        case Panel::Scan:
            layout.heading1Message = MessageId::Files;
            layout.tableColumns = 8;
            layout.tableRows = 2;
            break;
        case Panel::Rename:
            layout.columns = 3;
            layout.heading1Message = MessageId::CurrentName;
            layout.heading2Message = MessageId::NewName;
            break;
        case Panel::Substitute:
        case Panel::Batch:
            layout.heading1Message = MessageId::Files;
            break;
        case Panel::Aim:
            layout.heading1Message = MessageId::Files;
            layout.tableColumns = 8;
            layout.tableRows = 1;
            break;
    }
    return layout;
}

PanelHeadings panelHeadings(Panel panel, const MessageLookup& message) {
    const auto layout = panelListLayout(panel);
    PanelHeadings headings;
    headings.heading1 = layout.heading1Message != MessageId{} && message
                            ? message(layout.heading1Message)
                            : layout.heading1Literal;
    if (layout.heading2Message != MessageId{} && message)
        headings.heading2 = message(layout.heading2Message);
    return headings;
}

}  // namespace zerlant
