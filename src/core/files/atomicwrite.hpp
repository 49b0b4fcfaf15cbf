#pragma once
// The one way Zerlant writes a file.  The new bytes go to a temporary file in
// the target's folder (unnamed where the file system allows it, so that a
// killed process leaves nothing behind), which takes the target's place in one
// step only once it is complete on disk.  A symbolic link is written through:
// its target is rewritten and the link stays.  A file that is replaced keeps
// its mode, owner, group and hard links.  An export names the files its run
// read, and is refused (nothing written) when its path is one of them or an
// existing Gaussian or AIM file (refusedOutput).

#include <sys/types.h>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/result.hpp"

namespace zerlant {

// What a write may replace.  A rewrite in place (substitution, normalisation,
// the language file, the journal) replaces the file it read; an export
// replaces none of its inputs, nor any existing Gaussian or AIM file.
class AtomicFile;

struct WriteRule {
    bool isExport = false;
    std::vector<std::string> inputs;

    static WriteRule rewrite() { return {}; }
    static WriteRule exportOf(std::vector<std::string> inputs) { return {true, std::move(inputs)}; }
};

// Writes `bytes` to `path` under `rule`.  On any failure the old file is
// untouched and no temporary file is left.
Status writeFileAtomically(const std::string& path, std::string_view bytes,
                           const WriteRule& rule = WriteRule::rewrite());

// The same for a writer that wants a file name (a library that opens the file
// itself): `fill` writes the whole new file to the path it is given, which
// stands for the temporary file; its error is returned as is.
Status writeFileAtomicallyWith(const std::string& path,
                               const std::function<Status(const std::string&)>& fill,
                               const WriteRule& rule = WriteRule::rewrite());

// Opens `file` for the new text of `path`, under `rule`, for a writer that
// streams it: the checks and the link following of writeFileAtomically.  The
// caller writes, then commits; a file never committed vanishes.
Status openAtomically(AtomicFile& file, const std::string& path,
                      const WriteRule& rule = WriteRule::rewrite());

// Renames a file and never replaces an existing one.  A target that is the
// very same file as the source (a change of letter case on a case-blind file
// system) is renamed through a temporary name.
Status renameNoReplace(const std::string& from, const std::string& to);

// A new file written beside its final name; what the writers above are made
// of, for a writer that streams (normalizararchivo).  At commit it replaces
// the file of that name, keeping what the user set on it (mode, owner and
// group, hard links), or it takes a name nothing holds yet.  A file never
// committed vanishes.
class AtomicFile {
  public:
    AtomicFile() = default;
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;
    ~AtomicFile();

    // Creates the temporary file beside `path` (a path links have been
    // followed for already).  The result gets `mode` when given, otherwise
    // the mode of an existing file at `path`, otherwise the usual mode of a
    // new file.
    Status open(const std::string& path, int mode = -1);
    Status write(const char* data, std::size_t n);
    Status write(std::string_view bytes) { return write(bytes.data(), bytes.size()); }
    // A name through which another writer can open the temporary file.
    std::string tempPath() const;
    // Gives the new file the given owner and group where the process may.
    void takeOwnerOf(uid_t uid, gid_t gid);
    // Replaces the file at the path (see above).
    Status commit();
    // Gives the new file the first of `names` that no file holds, never
    // replacing one; the name taken goes to `taken`.
    Status commitAsNew(const std::vector<std::string>& names, std::string& taken);

  private:
    Status finishTemp();
    Status commitInPlace(std::uint64_t dev, std::uint64_t ino);
    // Gives the unnamed file a name beside the target: `name`, or a fresh
    // temporary name when `name` is empty.  0 or the errno.
    int nameIt(const std::string& name);

    int fd_ = -1;
    bool unnamed_ = false;
    std::string path_;
    std::string temp_;  // the temporary file's name, while it has one
    int mode_ = -1;
};

}  // namespace zerlant
