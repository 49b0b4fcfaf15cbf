#include "core/text/searchtext.hpp"

#include <gtest/gtest.h>

#include <cctype>
#include <random>

using namespace zerlant;

TEST(FoldCase, AsciiCapitalsOnlyAtEveryLength) {
    std::string all;
    for (int c = 0; c < 256; ++c) all += static_cast<char>(c);
    for (std::size_t len = 0; len <= all.size(); len += 7) {
        std::string part = all.substr(all.size() - len);
        std::string folded = foldCase(part);
        ASSERT_EQ(folded.size(), part.size());
        for (std::size_t i = 0; i < part.size(); ++i) {
            unsigned char c = static_cast<unsigned char>(part[i]);
            char want = (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : part[i];
            ASSERT_EQ(folded[i], want) << "byte " << int(c);
        }
    }
}

TEST(TextRef, FindAndRfindAgreeWithPlainSearch) {
    std::mt19937 rng(7);
    const std::string alphabet = "aAbB\r\n|";
    for (int round = 0; round < 300; ++round) {
        std::string text(rng() % 200, ' ');
        for (char& c : text) c = alphabet[rng() % alphabet.size()];
        std::string needle(1 + rng() % 3, ' ');
        for (char& c : needle) c = alphabet[rng() % alphabet.size()];
        FoldedText f{std::string(text)};
        std::string lt = foldCase(text), ln = foldCase(needle);
        std::size_t from = rng() % (text.size() + 2);
        EXPECT_EQ(f.ref().find(needle, from), lt.find(ln, from));
        EXPECT_EQ(f.ref().rfind(needle), lt.rfind(ln));
        EXPECT_EQ(f.ref().rfind(needle, from), lt.rfind(ln, from));
        EXPECT_EQ(f.ref().findExact(needle, from), text.find(needle, from));
        // The last occurrence not preceded by a letter, by a plain reverse scan.
        auto wordStart = [&](std::size_t p) { return p == 0 || !std::isalpha(lt[p - 1]); };
        std::size_t expected = std::string::npos;
        for (std::size_t p = lt.rfind(ln); p != std::string::npos && expected == std::string::npos;
             p = p == 0 ? std::string::npos : lt.rfind(ln, p - 1))
            if (wordStart(p))
                expected = p;
        EXPECT_EQ(f.ref().rfindIf(needle, wordStart), expected);
    }
    FoldedText f{std::string("abc")};
    EXPECT_EQ(f.ref().find(""), TextRef::npos);
    EXPECT_EQ(f.ref().rfind(""), TextRef::npos);
    EXPECT_EQ(f.ref().find("abcd"), TextRef::npos);
    EXPECT_EQ(f.ref().sub(1).find("C"), 1u);
    EXPECT_EQ(f.ref().sub(5).size(), 0u);
}

TEST(TextRef, RfindAcrossItsSearchBlocks) {
    // Backward search works in blocks of 1 MiB; hits on, across and before a
    // block edge are all found.
    const std::size_t size = (3u << 20) + 123;
    std::string text(size, 'x');
    const std::string needle = "Standard orientation:";
    for (std::size_t at : {std::size_t(5), (std::size_t(1) << 20) - 3, size - (2u << 20) - 10}) {
        std::string t = text;
        t.replace(at, needle.size(), needle);
        FoldedText f{std::move(t)};
        EXPECT_EQ(f.ref().rfind("STANDARD orientation:"), at);
        EXPECT_EQ(f.ref().rfind(needle, at), at);
        EXPECT_EQ(f.ref().rfind(needle, at - 1), TextRef::npos);
        EXPECT_EQ(f.ref().find(needle), at);
        // A later occurrence refused: the search goes on into the earlier blocks.
        FoldedText twice{f.ref().str() + needle};
        EXPECT_EQ(twice.ref().rfindIf(needle, [&](std::size_t p) { return p < size; }), at);
    }
}
