// The delivered language file holds every message in every language, and
// damaged language files never lose a caption: the damage is reported.

#include "core/language/messages.hpp"

#include <algorithm>
#include <filesystem>
#include <set>
#include <string_view>

#include "core/language/languagefile.hpp"
#include "testsupport.hpp"

using namespace zerlant;
using zerlant::testing::readAll;
using zerlant::testing::TempDir;

namespace {

std::string deliveredText() {
    return std::string(deliveredLanguageFileBytes());
}

std::string utf16(const std::string& ascii) {
    std::string out = "\xFF\xFE";
    for (char c : ascii) {
        out += c;
        out += '\0';
    }
    return out;
}

// The text up to the last line end before `at` (a line cut in the middle is
// a shorter text, which nothing can tell from an edit).
std::string cutAtLine(const std::string& text, std::size_t at) {
    return text.substr(0, text.rfind("\r\n", at) + 2);
}

}  // namespace

TEST(Messages, TheBuiltInFileIsTheDeliveredOne) {
    EXPECT_EQ(deliveredText(), readAll(std::string(ZERLANT_SOURCE_DIR) + "/resources/idioma.lng"));
    EXPECT_EQ(deliveredLanguageFile().message("English", 131), "N/A");
}

// Each damage gives a warning naming it, and every message of the delivered
// English section (N/A stays N/A) or of the language chosen.
TEST(Messages, DamagedFilesFallBackToTheDeliveredTexts) {
    TempDir dir;
    const std::string good = deliveredText();
    const std::string english = good.substr(good.find("[English]"));
    const struct {
        const char* name;
        std::string bytes;  // nothing written when empty and name ends in '/'
        std::optional<std::string> requested;
        const char* warning;  // "" when none is expected
        const char* language;
    } cases[] = {
        {"good.lng", good, std::nullopt, "", "English"},
        {"good-es.lng", good, "Español", "", "Español"},
        {"truncated.lng", cutAtLine(good, good.size() - 2000), std::nullopt, "lacks", "English"},
        {"cut-in-spanish.lng", cutAtLine(good, 1500), "Español", "lacks", "Español"},
        {"garbage.lng", std::string("\x01\xFF\x80garbage\0\0\x7F", 13), std::nullopt,
         "holds no language section", "English"},
        {"empty.lng", "", std::nullopt, "holds no language section", "English"},
        {"utf16.lng", utf16(good.substr(0, 3000)), std::nullopt, "holds no language section",
         "English"},
        {"no-headers.lng", "1=Uno\r\n131=N/D\r\n", std::nullopt, "holds no language section",
         "English"},
        {"unknown-current.lng", "[idioma]\r\nidioma=Deutsch\r\n" + good.substr(good.find("[Esp")),
         std::nullopt, "has no language 'Deutsch'", "English"},
        {"only-english.lng", "[idioma]\r\nidioma=English\r\n\r\n" + english, "Español",
         "has no language 'Español'", "Español"},
        {"missing.lng", "", std::nullopt, "cannot read the language file", "English"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path =
            std::string(c.name) == "missing.lng" ? dir.file(c.name) : dir.write(c.name, c.bytes);
        Messages m = loadMessages(path, c.requested);
        EXPECT_EQ(m.language, c.language);
        if (*c.warning) {
            ASSERT_EQ(m.warnings.size(), 1u);
            EXPECT_NE(m.warnings[0].find(c.warning), std::string::npos) << m.warnings[0];
        } else {
            EXPECT_TRUE(m.warnings.empty());
        }
        for (const auto& [key, text] : deliveredLanguageFile().entries(m.language))
            EXPECT_EQ(m.message.byNumber(std::stoi(key)), text) << key;
    }
}

// The user's edits stay, a blank caption stays blank, and what a newer
// delivered file adds arrives.
TEST(Messages, NewDeliveredMessagesReachTheUsersCopy) {
    LanguageFile user = LanguageFile::fromBytes(
        "[idioma]\r\nidioma=Español\r\n\r\n[Español]\r\n1=Mi programa\r\n2=\r\n\r\n"
        "[English]\r\n1=My program\r\n\r\n[Deutsch]\r\n1=Mein Programm\r\n");
    const LanguageFile installed = LanguageFile::fromBytes(
        "[idioma]\r\nidioma=English\r\n\r\n[Español]\r\n1=Zerlant\r\n2=Idioma\r\n3=Imprimir\r\n\r\n"
        "[English]\r\n1=Zerlant\r\n2=Language\r\n3=Print\r\n\r\n[Italiano]\r\n1=Zerlant\r\n");
    EXPECT_EQ(addMissingMessages(user, installed), 4u);
    EXPECT_EQ(user.encode(),
              "[idioma]\r\nidioma=Español\r\n\r\n[Español]\r\n1=Mi programa\r\n2=\r\n3=Imprimir\r\n"
              "\r\n[English]\r\n1=My program\r\n2=Language\r\n3=Print\r\n\r\n[Deutsch]\r\n"
              "1=Mein Programm\r\n\r\n[Italiano]\r\n1=Zerlant\r\n");
    EXPECT_EQ(addMissingMessages(user, installed), 0u);
}

// The installed program's newer file is merged into the user's copy when the
// program folder is looked for.
TEST(Messages, LocatingTheProgramFolderMergesTheInstalledFile) {
    TempDir dir;
    const std::string share = (dir.path() / "share").string();
    const std::string data = (dir.path() / "data").string();
    std::filesystem::create_directories(share);
    std::filesystem::create_directories(data + "/zerlant");
    std::ofstream(share + "/idioma.lng", std::ios::binary)
        << "[idioma]\r\nidioma=English\r\n\r\n[English]\r\n1=Zerlant\r\n2=New message\r\n";
    const std::string copy = data + "/zerlant/idioma.lng";
    std::ofstream(copy, std::ios::binary)
        << "[idioma]\r\nidioma=English\r\n\r\n[English]\r\n1=My Zerlant\r\n";
    ProgramFolderInputs in;
    in.xdgDataHome = data;
    in.installedDataFolder = share;
    auto folder = locateProgramFolder(in);
    ASSERT_TRUE(folder);
    EXPECT_EQ(*folder, data + "/zerlant");
    EXPECT_EQ(readAll(copy),
              "[idioma]\r\nidioma=English\r\n\r\n[English]\r\n1=My Zerlant\r\n2=New message\r\n");
}

// The language file delivered with the program.
namespace zerlant {
namespace {

std::vector<int> numbersInUse() {
    std::vector<int> n;
    const std::pair<int, int> ranges[] = {
        {1, 26},    {51, 139},  {150, 154}, {160, 181}, {190, 197}, {200, 207},
        {210, 243}, {260, 299}, {300, 328}, {330, 349}, {370, 374}, {390, 395},
        {400, 442}, {450, 459}, {520, 559}, {560, 600}, {610, 619}};
    for (auto [a, b] : ranges)
        for (int i = a; i <= b; ++i) n.push_back(i);
    return n;
}

TEST(DeliveredLanguageFileTest, EveryLanguageHoldsEveryMessage) {
    const std::string path = std::string(ZERLANT_SOURCE_DIR) + "/resources/idioma.lng";
    const std::string bytes = zerlant::testing::readAll(path);
    ASSERT_FALSE(bytes.empty());

    LanguageFile file = LanguageFile::fromBytes(bytes, path);
    EXPECT_EQ(file.encoding(), TextEncoding::Utf8);
    // Every line ends in CR LF.
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n') {
            ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << "bare LF at " << i;
        }
        if (bytes[i] == '\r') {
            ASSERT_TRUE(i + 1 < bytes.size() && bytes[i + 1] == '\n') << "lone CR at " << i;
        }
    }
    ASSERT_FALSE(file.lines().empty());
    EXPECT_EQ(file.lines().front(), "[idioma]");
    EXPECT_EQ(file.currentLanguage(), "English");

    const std::vector<std::string> languages = file.languages();
    EXPECT_EQ(languages, (std::vector<std::string>{"Español", "English"}));
    const std::vector<int> numbers = numbersInUse();
    for (const auto& lang : languages) {
        MessageLookup msg = file.lookup(lang);
        for (int n : numbers)
            EXPECT_FALSE(msg.byNumber(n).empty()) << lang << " lacks message " << n;
        EXPECT_EQ(msg(MessageId::AppTitle), "Zerlant");
        // The orbital occupancy labels tell occupied from virtual orbitals.
        EXPECT_NE(msg(MessageId::Occupied), msg(MessageId::Virtual)) << lang;
    }

    // Every section lists the same keys in the same order, so the language
    // editor's rows (the keys of the first section) hold every text.
    std::vector<std::vector<std::string>> keys;
    for (const auto& line : file.lines()) {
        if (!line.empty() && line.front() == '[') {
            keys.emplace_back();
        } else if (auto eq = line.find('='); eq != std::string::npos && !keys.empty()) {
            keys.back().push_back(line.substr(0, eq));
        }
    }
    ASSERT_EQ(keys.size(), 3u);
    EXPECT_EQ(keys[1].size(), numbers.size());
    EXPECT_EQ(keys[1], keys[2]);
}

// Every named message is in both languages, and its English text still
// begins as the table of names records it: a name that points at another
// number, or a message whose text changed its meaning, fails here.
TEST(DeliveredLanguageFileTest, EveryNamedMessageReadsAsItsName) {
    const std::string path = std::string(ZERLANT_SOURCE_DIR) + "/resources/idioma.lng";
    const LanguageFile file = LanguageFile::fromBytes(zerlant::testing::readAll(path), path);
    const MessageLookup english = file.lookup("English");
    const MessageLookup spanish = file.lookup("Español");
    struct Named {
        const char* name;
        int number;
        std::string_view start;
    };
    const Named named[] = {
#define ZERLANT_NAMED_MESSAGE(name, number, start) {#name, number, start},
        ZERLANT_MESSAGES(ZERLANT_NAMED_MESSAGE)
#undef ZERLANT_NAMED_MESSAGE
    };
    // The placeholders (%1, %2, ...) a message holds, in order.
    auto placeholders = [](const std::string& text) {
        std::string found;
        for (std::size_t i = 0; i + 1 < text.size(); ++i)
            if (text[i] == '%' && text[i + 1] >= '0' && text[i + 1] <= '9')
                found += text.substr(i, 2);
        return found;
    };
    std::set<int> numbers;
    for (const Named& m : named) {
        SCOPED_TRACE(m.name);
        EXPECT_TRUE(numbers.insert(m.number).second) << "a second name for message " << m.number;
        const std::string text = english.byNumber(m.number);
        EXPECT_FALSE(spanish.byNumber(m.number).empty()) << "no Spanish text for " << m.number;
        std::string wanted = placeholders(text),
                    inSpanish = placeholders(spanish.byNumber(m.number));
        std::sort(wanted.begin(), wanted.end());
        std::sort(inSpanish.begin(), inSpanish.end());
        EXPECT_EQ(inSpanish, wanted) << "the placeholders of message " << m.number;
        EXPECT_FALSE(m.start.empty());
        EXPECT_TRUE(text.starts_with(m.start))
            << "message " << m.number << " reads \"" << text << "\", not \"" << m.start << "...\"";
    }
}

}  // namespace
}  // namespace zerlant
