#include "core/language/languagefile.hpp"

#include <unistd.h>

#include <filesystem>
#include <memory>
#include <unordered_map>

#include "core/files/filetext.hpp"
#include "core/language/messages.hpp"
#include "core/text/utf8.hpp"

namespace zerlant {

namespace {

// ---- names and lines -------------------------------------------------------

// Lower case of a name: ASCII letters and the capitals of Latin-1 (À-Þ but
// ×), so that "ESPAÑOL" and "español" are one name.
std::string foldName(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        auto c = static_cast<unsigned char>(s[i]);
        if (c >= 'A' && c <= 'Z') {
            out += static_cast<char>(c + 32);
        } else if (c == 0xC3 && i + 1 < s.size()) {
            auto d = static_cast<unsigned char>(s[i + 1]);
            // U+00C0-U+00DE is C3 80 - C3 9E; U+00D7 (×) is C3 97.
            if (d >= 0x80 && d <= 0x9E && d != 0x97)
                d += 0x20;
            out += static_cast<char>(c);
            out += static_cast<char>(d);
            ++i;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

bool isHeader(std::string_view line) {
    return !line.empty() && line.front() == '[';
}

// The header line without its first and last character.
std::string_view sectionName(std::string_view header) {
    if (header.size() < 2)
        return {};
    return header.substr(1, header.size() - 2);
}

// Splits at CR LF, LF or a lone CR.  A final line end does not start a line.
std::vector<std::string> splitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c != '\r' && c != '\n')
            continue;
        lines.emplace_back(text.substr(start, i - start));
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.emplace_back(text.substr(start));
    return lines;
}

// The header of the first section whose folded name is `wanted`;
// lines.size() when there is none.
std::size_t findSection(const std::vector<std::string>& lines, const std::string& wanted) {
    std::size_t i = 0;
    while (i < lines.size() && !(isHeader(lines[i]) && foldName(sectionName(lines[i])) == wanted))
        ++i;
    return i;
}

// Calls visit(key, text) for the entries of the first section named `section`
// in file order, until visit returns true.  A line without '=' is no entry.
template <class Visit>
void visitEntries(const std::vector<std::string>& lines, std::string_view section, Visit visit) {
    for (std::size_t i = findSection(lines, foldName(section)) + 1; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (isHeader(line))
            break;
        std::size_t eq = line.find('=');
        if (eq != std::string::npos &&
            visit(std::string_view(line).substr(0, eq), std::string_view(line).substr(eq + 1)))
            return;
    }
}

}  // namespace

std::string oneLineText(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c == '\r' || c == '\n')
            c = ' ';
    return out;
}

bool sameName(std::string_view a, std::string_view b) {
    return foldName(a) == foldName(b);
}

// ---- LanguageFile ----------------------------------------------------------

Result<LanguageFile> LanguageFile::load(const std::string& path) {
    auto bytes = readFileBytes(path);
    if (!bytes)
        return bytes.error();
    return fromBytes(*bytes, path);
}

LanguageFile LanguageFile::fromBytes(std::string_view bytes, std::string path) {
    LanguageFile f;
    f.path_ = std::move(path);
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") {
        f.byteOrderMark_ = true;
        bytes.remove_prefix(3);
    }
    if (isValidUtf8(bytes)) {
        f.lines_ = splitLines(bytes);
    } else {
        f.encoding_ = TextEncoding::Windows1252;
        f.lines_ = splitLines(windows1252ToUtf8(bytes));
    }
    return f;
}

std::vector<std::string> LanguageFile::languages() const {
    std::vector<std::string> names;
    bool first = true;
    for (const auto& line : lines_) {
        if (!isHeader(line))
            continue;
        if (!first)
            names.emplace_back(sectionName(line));
        first = false;
    }
    return names;
}

int LanguageFile::languageCount() const {
    int count = -1;
    for (const auto& line : lines_)
        if (isHeader(line))
            ++count;
    return count;
}

std::string LanguageFile::value(std::string_view section, std::string_view key) const {
    const std::string wantedKey = foldName(key);
    std::string text;
    visitEntries(lines_, section, [&](std::string_view k, std::string_view t) {
        if (foldName(k) != wantedKey)
            return false;
        text = t;
        return true;
    });
    return text;
}

std::vector<std::pair<std::string, std::string>> LanguageFile::entries(
    std::string_view section) const {
    std::vector<std::pair<std::string, std::string>> out;
    visitEntries(lines_, section, [&](std::string_view key, std::string_view text) {
        out.emplace_back(key, text);
        return false;
    });
    return out;
}

std::string LanguageFile::message(std::string_view language, int number) const {
    return value(language, std::to_string(number));
}

bool LanguageFile::hasSection(std::string_view name) const {
    return findSection(lines_, foldName(name)) < lines_.size();
}

MessageLookup LanguageFile::lookup(std::string_view language) const {
    auto entries = std::make_shared<std::unordered_map<std::string, std::string>>();
    visitEntries(lines_, language, [&](std::string_view key, std::string_view text) {
        // The first entry of a key wins, as in a lookup that reads from the top.
        entries->emplace(foldName(key), text);
        return false;
    });
    return [entries](int number) -> std::string {
        auto it = entries->find(std::to_string(number));
        return it == entries->end() ? std::string() : it->second;
    };
}

void LanguageFile::addSection(std::string_view name) {
    if (hasSection(name))
        return;
    lines_.emplace_back();
    lines_.push_back("[" + std::string(name) + "]");
}

void LanguageFile::writeKey(std::string_view section, std::string_view key,
                            std::string_view value) {
    addSection(section);
    const std::string entry = oneLineText(key) + "=" + oneLineText(value);
    const std::string wantedKey = foldName(key);
    const std::size_t i = findSection(lines_, foldName(section));

    // Inside the section: empty lines are dropped, other lines kept, until the
    // entry or the next header.
    std::vector<std::string> out(lines_.begin(), lines_.begin() + static_cast<long>(i) + 1);
    for (std::size_t j = i + 1; j < lines_.size(); ++j) {
        const std::string& line = lines_[j];
        if (line.empty())
            continue;
        if (isHeader(line)) {
            out.push_back(entry);
            out.emplace_back();
            out.insert(out.end(), lines_.begin() + static_cast<long>(j), lines_.end());
            lines_ = std::move(out);
            return;
        }
        std::size_t eq = line.find('=');
        if (eq != std::string::npos &&
            foldName(std::string_view(line).substr(0, eq)) == wantedKey) {
            out.push_back(entry);
            out.insert(out.end(), lines_.begin() + static_cast<long>(j) + 1, lines_.end());
            lines_ = std::move(out);
            return;
        }
        out.push_back(line);
    }
    // The section is the last of the file: the entry goes at the end, and the
    // section keeps its empty lines.
    lines_.push_back(entry);
}

std::string LanguageFile::encode() const {
    std::string text;
    for (const auto& line : lines_) {
        text += line;
        text += "\r\n";
    }
    std::string bytes = byteOrderMark_ ? "\xEF\xBB\xBF" : "";
    if (encoding_ == TextEncoding::Windows1252) {
        std::string converted;
        if (utf8ToWindows1252(text, converted))
            return bytes + converted;
        // A text the code page cannot hold: UTF-8 keeps it rather than lose it.
    }
    return bytes + text;
}

Status LanguageFile::save() const {
    return writeFileAtomically(path_, encode());
}

// ---- procedures by path ----------------------------------------------------

std::string GetMessage(const std::string& file, std::string_view section, std::string_view key) {
    auto f = LanguageFile::load(file);
    return f ? f->value(section, key) : std::string();
}

std::int16_t ListLanguages(const std::string& file, std::vector<std::string>& names) {
    auto f = LanguageFile::load(file);
    if (!f)
        return -1;
    int count = f->languageCount();
    if (count >= 1)
        names = f->languages();
    return static_cast<std::int16_t>(count);
}

bool LanguageExists(const std::string& file, std::string_view name) {
    auto f = LanguageFile::load(file);
    return f && f->hasSection(name);
}

Status AddSection(const std::string& file, std::string_view name) {
    auto f = LanguageFile::load(file);
    if (!f)
        return f.error();
    if (f->hasSection(name))
        return success();
    f->addSection(name);
    return f->save();
}

Status WriteKey(const std::string& file, std::string_view section, std::string_view key,
                std::string_view value) {
    auto f = LanguageFile::load(file);
    if (!f)
        return f.error();
    f->writeKey(section, key, value);
    return f->save();
}

bool LanguageState::isCurrent(std::size_t i) const {
    return i < languageNames.size() && sameName(languageNames[i], currentLanguage);
}

std::string LanguageState::helpFilePath(std::string_view language) const {
    std::string folder = std::filesystem::path(filePath).parent_path().string();
    return (folder.empty() ? std::string() : folder + "/") + std::string(language) + ".chm";
}

Result<LanguageState> InitLanguages(const std::string& filePath) {
    auto f = LanguageFile::load(filePath);
    if (!f)
        return f.error();
    LanguageState s;
    s.filePath = filePath;
    s.languageCount = static_cast<std::int16_t>(f->languageCount());
    s.languageNames = f->languages();
    s.currentLanguage = f->currentLanguage();
    return s;
}

Result<bool> SelectLanguage(const std::string& filePath, std::string_view name) {
    auto f = LanguageFile::load(filePath);
    if (!f)
        return f.error();
    if (!f->hasSection(name))
        return false;
    f->writeKey(kSettingsSection, kLanguageKey, name);
    Status st = f->save();
    if (!st)
        return st.error();
    return true;
}

// ---- the program's folder --------------------------------------------------

namespace {

bool writable(const std::string& path) {
    return ::access(path.c_str(), W_OK) == 0;
}

bool isFile(const std::filesystem::path& p) {
    std::error_code ec;
    return std::filesystem::is_regular_file(p, ec);
}

void addNewMessagesTo(const std::string& userCopy, const std::string& delivered) {
    auto user = LanguageFile::load(userCopy);
    auto installed = LanguageFile::load(delivered);
    if (!user || !installed || user->languages().empty() || !writable(userCopy))
        return;
    if (addMissingMessages(*user, *installed) > 0)
        (void)user->save();
}

}  // namespace

Result<std::string> locateProgramFolder(const ProgramFolderInputs& in) {
    namespace fs = std::filesystem;
    const std::string fileName(kLanguageFileName);

    fs::path exeFile;
    if (!in.executableFolder.empty()) {
        exeFile = fs::path(in.executableFolder) / fileName;
        if (isFile(exeFile) && writable(exeFile.string()) && writable(in.executableFolder))
            return in.executableFolder;
    }

    // The per-user data folder.  A relative XDG_DATA_HOME is not valid and is
    // ignored, as the base directory rules say.
    fs::path userFolder;
    if (!in.xdgDataHome.empty() && fs::path(in.xdgDataHome).is_absolute())
        userFolder = fs::path(in.xdgDataHome) / "zerlant";
    else if (!in.home.empty())
        userFolder = fs::path(in.home) / ".local" / "share" / "zerlant";

    // The delivered file: beside the executable, else in the installed data
    // folder.
    fs::path source;
    if (!exeFile.empty() && isFile(exeFile))
        source = exeFile;
    else if (!in.installedDataFolder.empty() && isFile(fs::path(in.installedDataFolder) / fileName))
        source = fs::path(in.installedDataFolder) / fileName;

    if (!userFolder.empty() && isFile(userFolder / fileName)) {
        // A newer delivered file brings its new messages into the user's
        // copy; the user's own entries stay as they are.  A copy that cannot
        // be read or holds no language is left alone (it is reported when
        // the messages are loaded).
        if (!source.empty())
            addNewMessagesTo((userFolder / fileName).string(), source.string());
        return userFolder.string();
    }
    if (source.empty())
        return Error{"no language file " + fileName + " was found beside the program or in " +
                         (in.installedDataFolder.empty() ? std::string("the installed data folder")
                                                         : in.installedDataFolder),
                     ""};

    if (userFolder.empty())
        return source.parent_path().string();
    auto bytes = readFileBytes(source.string());
    if (!bytes)
        return bytes.error();
    std::error_code ec;
    fs::create_directories(userFolder, ec);
    if (ec || !writeFileAtomically((userFolder / fileName).string(), *bytes)) {
        // The user's folder cannot be written: use the copy we found, read-only.
        return source.parent_path().string();
    }
    return userFolder.string();
}

}  // namespace zerlant
