#pragma once
// The language file idioma.lng: every caption and message of the program is a
// numbered entry of one language section of this file.
//
// Layout: a settings section "[idioma]" whose key "idioma" names the current
// language, then one section per language ("[English]") holding entries
// "N=text".  A header line is any line whose first character is '['; its name
// is the line without its first and last character.  In an entry the key is
// everything before the first '=', the text everything after it.  Section
// names and keys compare case-blind; texts come back exactly as stored; the
// first section of a name wins.
//
// The file is read as UTF-8, or as Windows-1252 when it is not valid UTF-8
// (converted to UTF-8 in memory); it is written back in the encoding it was
// read in, with CR LF line ends, and always replaced atomically.

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/common/result.hpp"
#include "core/common/types.hpp"

namespace zerlant {

// Name of the settings section and of its key naming the current language.
inline constexpr std::string_view kSettingsSection = "idioma";
inline constexpr std::string_view kLanguageKey = "idioma";
inline constexpr std::string_view kLanguageFileName = "idioma.lng";

enum class TextEncoding { Utf8, Windows1252 };

// Case-blind equality of names and keys (ASCII and Latin-1 letters in UTF-8).
bool sameName(std::string_view a, std::string_view b);

// The text with every CR and LF made a blank: an entry is one line of the file.
std::string oneLineText(std::string_view text);

// The language file held in memory as its lines (UTF-8), with the encoding it
// was read in.  Lookups never touch the disk; save() writes it back.
class LanguageFile {
  public:
    LanguageFile() = default;

    // Reads and decodes the file.  Fails when it cannot be read.
    static Result<LanguageFile> load(const std::string& path);
    // Decodes bytes as they would be read from a file at `path`.
    static LanguageFile fromBytes(std::string_view bytes, std::string path = {});

    const std::string& path() const { return path_; }
    TextEncoding encoding() const { return encoding_; }
    const std::vector<std::string>& lines() const { return lines_; }

    // ListLanguages: the names of every section after the first, in file
    // order; the count is -1 for a file without any header, 0 for a file with
    // only the settings section.
    std::vector<std::string> languages() const;
    int languageCount() const;

    // GetMessage over the lines held: the text of `key` in the first section
    // named `section`, or the empty text when either is missing.
    std::string value(std::string_view section, std::string_view key) const;
    std::string message(std::string_view language, int number) const;

    // The entries of the first section named `section`, in file order, as
    // (key, text); a line without '=' is no entry.
    std::vector<std::pair<std::string, std::string>> entries(std::string_view section) const;

    // The language named in the settings section.
    std::string currentLanguage() const { return value(kSettingsSection, kLanguageKey); }

    // LanguageExists: any section of that name, the settings section included.
    bool hasSection(std::string_view name) const;

    // A lookup that holds its own copy of the language's entries, so it stays
    // valid after this object is gone.  Missing numbers give the empty text.
    MessageLookup lookup(std::string_view language) const;

    // Replaces the whole content (lines without their line ends); the
    // encoding and path stay.
    void setLines(std::vector<std::string> lines) { lines_ = std::move(lines); }

    // AddSection / WriteKey on the lines held (nothing is written to disk).
    void addSection(std::string_view name);
    void writeKey(std::string_view section, std::string_view key, std::string_view value);

    // The bytes of the file in its encoding, every line ended by CR LF.
    std::string encode() const;
    // Writes encode() to path() atomically.
    Status save() const;

  private:
    std::string path_;
    TextEncoding encoding_ = TextEncoding::Utf8;
    bool byteOrderMark_ = false;
    std::vector<std::string> lines_;
};

// The procedures of the language file by path.  Each reads the file anew, so
// a change written by the language editor is seen by the next call.

// The text of `key` in `section`; empty when the file, the section or the key
// is missing.
std::string GetMessage(const std::string& file, std::string_view section, std::string_view key);
// Fills names with every section after the first and returns their count
// (-1 when the file has no header or cannot be read).
std::int16_t ListLanguages(const std::string& file, std::vector<std::string>& names);
bool LanguageExists(const std::string& file, std::string_view name);
// Appends an empty section unless one of that name exists.
Status AddSection(const std::string& file, std::string_view name);
// Sets the entry, adding the section and the entry when missing.  The file is
// replaced atomically: a failed write leaves it as it was.
Status WriteKey(const std::string& file, std::string_view section, std::string_view key,
                std::string_view value);

// What InitLanguages reads once at start-up (the data behind the language
// menu): the path, the current language and the language names in file order.
struct LanguageState {
    std::string filePath;                    // LanguageFilePath
    std::string currentLanguage;             // CurrentLanguage
    std::int16_t languageCount = 0;          // LanguageCount (-1: no header at all)
    std::vector<std::string> languageNames;  // LanguageNames, 0-based here

    // Whether menu item i (0-based) is the current language.
    bool isCurrent(std::size_t i) const;
    // The file's folder + "/" + name + ".chm".
    std::string helpFilePath(std::string_view language) const;
};
Result<LanguageState> InitLanguages(const std::string& filePath);

// SelectLanguage: records `name` as the language of the next start when the
// file has a section of that name (true; the caller shows LanguageNextStart), and
// leaves the file unchanged otherwise (false; LanguageNotInFile).  An error when the
// file cannot be rewritten.
Result<bool> SelectLanguage(const std::string& filePath, std::string_view name);

// "The program's folder": where idioma.lng and the export file live.
struct ProgramFolderInputs {
    std::string executableFolder;     // folder of the running executable
    std::string xdgDataHome;          // $XDG_DATA_HOME, may be empty
    std::string home;                 // $HOME, may be empty
    std::string installedDataFolder;  // e.g. <prefix>/share/zerlant
};
// The executable's folder when idioma.lng there is writable; otherwise
// $XDG_DATA_HOME/zerlant (or $HOME/.local/share/zerlant), seeding idioma.lng
// there from the executable's folder or the installed data folder on first
// use; an existing copy there gets the entries that the delivered file has
// and it lacks (the user's own entries are never changed).  An error when no
// language file can be found.
Result<std::string> locateProgramFolder(const ProgramFolderInputs& in);

}  // namespace zerlant
