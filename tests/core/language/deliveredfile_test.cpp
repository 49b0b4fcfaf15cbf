// Checks of the language file delivered with the program.

#include <gtest/gtest.h>

#include <set>
#include <string_view>

#include "core/language/languagefile.hpp"
#include "testsupport.hpp"

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
    std::set<int> numbers;
    for (const Named& m : named) {
        SCOPED_TRACE(m.name);
        EXPECT_TRUE(numbers.insert(m.number).second) << "a second name for message " << m.number;
        EXPECT_FALSE(spanish.byNumber(m.number).empty()) << "no Spanish text for " << m.number;
        const std::string text = english.byNumber(m.number);
        EXPECT_FALSE(m.start.empty());
        EXPECT_TRUE(text.starts_with(m.start))
            << "message " << m.number << " reads \"" << text << "\", not \"" << m.start << "...\"";
    }
}

}  // namespace
}  // namespace zerlant
