#include "core/rename/renamerun.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "core/files/paths.hpp"

namespace zerlant {

namespace {

struct FileId {
    dev_t dev = 0;
    ino_t ino = 0;
};

// The entry's identity; nullopt when there is no entry of that path.
bool entryOf(const std::string& path, FileId& id) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0)
        return false;
    id = {st.st_dev, st.st_ino};
    return true;
}

// True when something is there, or when it cannot be told (a folder that may
// not be searched): a rename into the unknown is left out.
bool targetTaken(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0)
        return true;
    return errno != ENOENT && errno != ENOTDIR;
}

bool sameFile(const std::string& a, const std::string& b) {
    FileId x, y;
    return entryOf(a, x) && entryOf(b, y) && x.dev == y.dev && x.ino == y.ino;
}

// A name that can stand for a file inside the row's folder.
bool usableName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos &&
           name.find('\0') == std::string::npos;
}

std::string warningText(const MessageLookup& message, MessageId id) {
    std::string first = message ? message(id) : std::string();
    std::string second = message ? message(MessageId::RowsUnticked) : std::string();
    return first + "\n" + second;
}

}  // namespace

std::vector<RenameWarning> checkRenames(FileRows& rows, RenameRule rule,
                                        const MessageLookup& message) {
    std::vector<RenameWarning> warnings;
    auto leaveOut = [](FileRow& row, bool& any) {
        if (row.checked) {
            row.checked = false;
            any = true;
        }
    };

    // Equal new names.  Empty ones are left to the next step, which names
    // them for what they are.
    bool any = false;
    for (std::size_t i = 1; i < rows.size(); ++i) {
        if (rows[i].newName.empty())
            continue;
        for (std::size_t j = i + 1; j < rows.size(); ++j) {
            if (rows[i].newName == rows[j].newName) {
                leaveOut(rows[i], any);
                leaveOut(rows[j], any);
            }
        }
    }
    if (any)
        warnings.push_back({MessageId::SameNewName, warningText(message, MessageId::SameNewName)});

    // Empty, unchanged or unusable new names.
    any = false;
    for (std::size_t i = 1; i < rows.size(); ++i) {
        FileRow& row = rows[i];
        if (row.name.empty() || row.newName == row.name || !usableName(row.newName))
            leaveOut(row, any);
    }
    if (any)
        warnings.push_back({MessageId::NewNameEmptyOrUnchanged,
                            warningText(message, MessageId::NewNameEmptyOrUnchanged)});

    // Existing targets, as the disk is before any rename of this run.
    any = false;
    for (std::size_t i = 1; i < rows.size(); ++i) {
        FileRow& row = rows[i];
        if (!row.checked)
            continue;
        std::string target = carpetadearchivo(row.path) + row.newName;
        if (!targetTaken(target))
            continue;
        if (rule == RenameRule::Case && sameFile(row.path, target))
            continue;
        leaveOut(row, any);
    }
    if (any)
        warnings.push_back(
            {MessageId::NewNameExists, warningText(message, MessageId::NewNameExists)});
    return warnings;
}

std::vector<RenameFailure> applyRenames(FileRows& rows, int* renamed) {
    std::vector<RenameFailure> failures;
    for (std::size_t i = 1; i < rows.size(); ++i) {
        FileRow& row = rows[i];
        if (!row.checked)
            continue;
        std::string target = carpetadearchivo(row.path) + row.newName;
        if (!usableName(row.newName)) {  // rows that skipped the checks
            failures.push_back({i, row.path, target, std::strerror(EINVAL)});
            continue;
        }
        Status done = renameNoReplace(row.path, target);
        if (!done) {
            failures.push_back({i, row.path, target, done.error().message});
            continue;
        }
        row.name = row.newName;
        row.newName.clear();
        row.path = target;
        if (renamed)
            ++*renamed;
    }
    return failures;
}

RenameOutcome executeRename(const RenameOptions& options, FileRows& rows,
                            const MessageLookup& message) {
    RenameOutcome outcome;
    preview(options, rows);
    outcome.warnings = checkRenames(rows, options.rule, message);
    outcome.failures = applyRenames(rows, &outcome.renamed);
    return outcome;
}

}  // namespace zerlant
