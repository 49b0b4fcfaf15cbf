#include "core/language/languagefile.hpp"

#include <unistd.h>

#include <filesystem>
#include <memory>
#include <unordered_map>

#include "core/files/filetext.hpp"

namespace zerlant {

namespace {

// ---- encodings -------------------------------------------------------------

// Code points of the bytes 0x80-0x9F in Windows-1252.  The five bytes the code
// page leaves undefined map to the C1 control of the same value, so every byte
// survives a round trip.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Decodes one UTF-8 sequence at pos; returns its length, 0 when invalid
// (overlong forms, surrogates and values past U+10FFFF are invalid).
std::size_t decodeUtf8(std::string_view s, std::size_t pos, char32_t& cp) {
    auto b = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    unsigned char c = b(pos);
    std::size_t len;
    if (c < 0x80) {
        cp = c;
        return 1;
    } else if (c >= 0xC2 && c <= 0xDF) {
        len = 2;
        cp = c & 0x1F;
    } else if (c >= 0xE0 && c <= 0xEF) {
        len = 3;
        cp = c & 0x0F;
    } else if (c >= 0xF0 && c <= 0xF4) {
        len = 4;
        cp = c & 0x07;
    } else {
        return 0;
    }
    if (pos + len > s.size())
        return 0;
    for (std::size_t i = 1; i < len; ++i) {
        if ((b(pos + i) & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (b(pos + i) & 0x3F);
    }
    if ((len == 3 && cp < 0x800) || (len == 4 && (cp < 0x10000 || cp > 0x10FFFF)) ||
        (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return len;
}

bool isValidUtf8(std::string_view s) {
    char32_t cp;
    for (std::size_t i = 0; i < s.size();) {
        std::size_t n = decodeUtf8(s, i, cp);
        if (n == 0)
            return false;
        i += n;
    }
    return true;
}

std::string cp1252ToUtf8(std::string_view s) {
    std::string out;
    out.reserve(s.size() + s.size() / 8);
    for (char ch : s) {
        auto c = static_cast<unsigned char>(ch);
        if (c >= 0x80 && c < 0xA0)
            appendUtf8(out, kCp1252High[c - 0x80]);
        else
            appendUtf8(out, c);
    }
    return out;
}

// Converts UTF-8 text to Windows-1252; false when some character has no byte
// in that code page.
bool utf8ToCp1252(std::string_view s, std::string& out) {
    out.clear();
    out.reserve(s.size());
    char32_t cp;
    for (std::size_t i = 0; i < s.size();) {
        std::size_t n = decodeUtf8(s, i, cp);
        if (n == 0)
            return false;
        i += n;
        if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
            out += static_cast<char>(cp);
            continue;
        }
        bool found = false;
        for (int k = 0; k < 32; ++k) {
            if (kCp1252High[k] == cp) {
                out += static_cast<char>(0x80 + k);
                found = true;
                break;
            }
        }
        if (!found)
            return false;
    }
    return true;
}

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

// Line breaks inside a text would split its entry into several lines.
std::string oneLine(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c == '\r' || c == '\n')
            c = ' ';
    return out;
}

}  // namespace

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
        f.lines_ = splitLines(cp1252ToUtf8(bytes));
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
    const std::string wantedSection = foldName(section);
    const std::string wantedKey = foldName(key);
    std::size_t i = 0;
    for (; i < lines_.size(); ++i)
        if (isHeader(lines_[i]) && foldName(sectionName(lines_[i])) == wantedSection)
            break;
    for (++i; i < lines_.size(); ++i) {
        const std::string& line = lines_[i];
        if (isHeader(line))
            break;
        std::size_t eq = line.find('=');
        if (eq == std::string::npos)
            continue;
        if (foldName(std::string_view(line).substr(0, eq)) == wantedKey)
            return line.substr(eq + 1);
    }
    return {};
}

std::string LanguageFile::message(std::string_view language, int number) const {
    return value(language, std::to_string(number));
}

bool LanguageFile::hasSection(std::string_view name) const {
    const std::string wanted = foldName(name);
    for (const auto& line : lines_)
        if (isHeader(line) && foldName(sectionName(line)) == wanted)
            return true;
    return false;
}

MessageLookup LanguageFile::lookup(std::string_view language) const {
    auto entries = std::make_shared<std::unordered_map<std::string, std::string>>();
    const std::string wanted = foldName(language);
    std::size_t i = 0;
    for (; i < lines_.size(); ++i)
        if (isHeader(lines_[i]) && foldName(sectionName(lines_[i])) == wanted)
            break;
    for (++i; i < lines_.size(); ++i) {
        const std::string& line = lines_[i];
        if (isHeader(line))
            break;
        std::size_t eq = line.find('=');
        if (eq == std::string::npos)
            continue;
        // The first entry of a key wins, as in a lookup that reads from the top.
        entries->emplace(foldName(std::string_view(line).substr(0, eq)), line.substr(eq + 1));
    }
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
    const std::string entry = oneLine(key) + "=" + oneLine(value);
    const std::string wantedSection = foldName(section);
    const std::string wantedKey = foldName(key);

    std::size_t i = 0;
    for (; i < lines_.size(); ++i)
        if (isHeader(lines_[i]) && foldName(sectionName(lines_[i])) == wantedSection)
            break;

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
        if (utf8ToCp1252(text, converted))
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

    if (!userFolder.empty() && isFile(userFolder / fileName))
        return userFolder.string();

    // Seed the user's copy: from beside the executable, else from the
    // installed data folder.
    fs::path source;
    if (!exeFile.empty() && isFile(exeFile))
        source = exeFile;
    else if (!in.installedDataFolder.empty() && isFile(fs::path(in.installedDataFolder) / fileName))
        source = fs::path(in.installedDataFolder) / fileName;
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
