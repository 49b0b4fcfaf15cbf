// The digest of an output file stands in for its whole normalised text: every
// search the extraction and its parsers make finds the same text in both.

#include "core/extract/digest.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "core/files/filetext.hpp"
#include "core/gaussian/anchors.hpp"
#include "core/text/textutils.hpp"
#include "testsupport.hpp"

namespace {

namespace fs = std::filesystem;
using zerlant::FoldedText;
using zerlant::TextRef;

// The searches of the extraction and its parsers, from digest_searches.tsv.
const std::vector<zerlant::testing::CaseRecord>& searches() {
    static const auto all = zerlant::testing::caseRecords("core/extract/digest_searches.tsv");
    return all;
}

// An anchor found: the text searched and where the anchor is (npos: absent).
struct Place {
    TextRef region;
    std::size_t at;
};

// The anchors that a search starts from, by its occurrence (see the table).
std::vector<Place> places(TextRef text, std::string_view anchor, std::string_view occurrence) {
    if (occurrence == "first")
        return {{text, text.find(anchor)}};
    if (occurrence == "last")
        return {{text, text.rfind(anchor)}};
    if (occurrence == "last word") {
        const std::string_view t = text.text();
        return {{text, text.rfindIf(anchor, [&](std::size_t at) {
                     return at == 0 || !std::isalnum(static_cast<unsigned char>(t[at - 1]));
                 })}};
    }
    if (occurrence.starts_with("last but one")) {
        const std::size_t last = text.rfind(anchor);
        return {{text, last == 0 || last == TextRef::npos ? last : text.rfind(anchor, last - 1)}};
    }
    std::vector<Place> out;
    std::size_t begin = 0;
    for (const zerlant::ArchivePlace& p : zerlant::archivePlaces(text)) {
        const TextRef region = occurrence == "first in each step"
                                   ? text.sub(begin, p.end - begin)
                                   : text.sub(0, p.end);  // last before each archive
        out.push_back({region, occurrence == "first in each step" ? region.find(anchor)
                                                                  : region.rfind(anchor)});
        begin = p.end;
    }
    return out;
}

// The text from after the anchor to the first of the ends (joined by " <or> ")
// found after it; "<blank line>" ends at the first line of blanks after the
// anchor's line.
std::string upToEnd(const Place& p, std::string_view anchor, std::string_view ends) {
    if (p.at == TextRef::npos)
        return "<none>";
    const std::string_view rest = p.region.text().substr(p.at + anchor.size());
    for (std::size_t from = 0; from <= ends.size();) {
        const std::size_t to = std::min(ends.find(" <or> ", from), ends.size());
        const std::string_view end = ends.substr(from, to - from);
        from = to + 6;
        if (end == "<blank line>") {
            for (std::size_t lf = rest.find('\n'); lf != std::string_view::npos;) {
                const std::size_t next = rest.find('\n', lf + 1);
                if (next == std::string_view::npos ||
                    zerlant::trimBlanks(rest.substr(lf + 1, next - lf - 1)).empty())
                    return std::string(rest.substr(0, next));
                lf = next;
            }
            return std::string(rest);
        }
        if (const std::size_t q = p.region.sub(p.at + anchor.size()).find(end, 1);
            q != TextRef::npos)
            return std::string(rest.substr(0, q));
    }
    return "";
}

// What one search of the table finds; a block that must hold a text to be
// read ("... holding TEXT") is "<none>" without it.
std::vector<std::string> found(TextRef text, const zerlant::testing::CaseRecord& s) {
    const std::string_view occurrence = s["occurrence"];
    const std::size_t holding = occurrence.find(" holding ");
    std::vector<std::string> out;
    for (const Place& p : places(text, s["anchor"], occurrence)) {
        std::string t = upToEnd(p, s["anchor"], s["end"]);
        if (holding != std::string_view::npos &&
            !zerlant::FoldedText(t).ref().contains(occurrence.substr(holding + 9)))
            t = "<none>";
        out.push_back(std::move(t));
    }
    return out;
}

void expectSameSearches(const std::string& path, const std::string& what) {
    auto whole = zerlant::readNormalised(path);
    ASSERT_TRUE(whole.ok()) << what;
    auto digest = zerlant::readDigest(path);
    ASSERT_TRUE(digest.ok()) << what;
    ASSERT_TRUE(digest->has_value()) << what << ": read whole";
    const TextRef w = whole->ref();
    const TextRef d = (*digest)->ref();
    EXPECT_LE(d.size(), w.size()) << what;
    for (const auto& s : searches())
        EXPECT_EQ(found(w, s), found(d, s))
            << what << ": " << s["anchor"] << " ... " << s["end"] << ", " << s["occurrence"];
    // The archive entries, and the anchors searched for from their last
    // occurrence in file order.
    auto landmarks = [](TextRef text) {
        std::vector<std::string> out;
        for (const zerlant::ArchivePlace& p : zerlant::archivePlaces(text))
            out.emplace_back(text.text().substr(p.begin, p.end - p.begin));
        std::map<std::size_t, std::string> last;
        for (const auto& s : searches())
            if (s["occurrence"] == "last")
                last[text.rfind(s["anchor"])] = s["anchor"];
        for (const auto& [at, anchor] : last) out.push_back(anchor);
        return out;
    };
    EXPECT_EQ(landmarks(w), landmarks(d)) << what;
}

// Every anchor and block of the table is searched for: each line to its end,
// each block to its end as the digest finds it, and the blocks the digest
// keeps besides the last (before every archive entry, or marked).
TEST(Digest, SearchesCoverTheAnchorTable) {
    using zerlant::gaussian::BlockEnd;
    auto searched = [](std::string_view anchor, std::string_view end, std::string_view occurrence) {
        return std::any_of(searches().begin(), searches().end(), [&](const auto& s) {
            return s["anchor"] == anchor && s["end"] == end && s["occurrence"] == occurrence;
        });
    };
    for (const zerlant::gaussian::LineAnchor& l : zerlant::gaussian::kLineAnchors)
        EXPECT_TRUE(l.word ? searched(l.text, "\r\n", "last word")
                           : searched(l.text, "\r\n", "last") || searched(l.text, "\r\n", "first"))
            << l.text;
    for (const zerlant::gaussian::BlockAnchor& b : zerlant::gaussian::kBlockAnchors) {
        std::string end = b.how == BlockEnd::BlankLine ? "<blank line>" : std::string(b.end);
        if (b.how == BlockEnd::MarkerOrEmptyLine)
            end += " <or> \r\n\r\n";
        const std::string last =
            b.mark.empty() ? "last" : "last but one holding " + std::string(b.mark);
        EXPECT_TRUE(searched(b.start, end, last)) << b.start << " ... " << end << ", " << last;
        if (b.beforeEveryArchive) {
            EXPECT_TRUE(searched(b.start, end, "last before each archive")) << b.start;
        }
    }
}

// The lines of a file without their line ends (a CR LF or LF); the last is
// empty when the file ends with a line end.
std::vector<std::string> linesOf(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t from = 0;
    for (std::size_t lf; (lf = bytes.find('\n', from)) != std::string::npos; from = lf + 1)
        lines.push_back(bytes.substr(from, lf - from - (lf > from && bytes[lf - 1] == '\r')));
    lines.push_back(bytes.substr(from));
    return lines;
}

// Ways to end line k of n: one CR LF file, and files whose line ends are
// mixed as when logs are copied between machines and joined.
struct LineEnds {
    const char* name;
    std::string_view (*end)(std::size_t k, std::size_t n);
};
constexpr LineEnds kLineEnds[] = {
    {"CR LF", [](std::size_t, std::size_t) -> std::string_view { return "\r\n"; }},
    {"CR LF then LF",
     [](std::size_t k, std::size_t n) -> std::string_view { return k < n / 2 ? "\r\n" : "\n"; }},
    {"LF then CR LF",
     [](std::size_t k, std::size_t n) -> std::string_view { return k < n / 3 ? "\n" : "\r\n"; }},
    {"CR LF and LF by turns",
     [](std::size_t k, std::size_t) -> std::string_view { return k % 2 ? "\r\n" : "\n"; }},
    {"lone CR", [](std::size_t, std::size_t) -> std::string_view { return "\r"; }},
    {"lone CR among LF",
     [](std::size_t k, std::size_t) -> std::string_view { return k % 7 == 3 ? "\r" : "\n"; }},
    // Blank lines then join the ends around them: CR then LF, LF then CR.
    {"CR CR LF, LF CR, CR, LF, CR LF",
     [](std::size_t k, std::size_t) -> std::string_view {
         constexpr std::string_view kEnds[] = {"\r\r\n", "\n\r", "\r", "\n", "\r\n"};
         return kEnds[k % 5];
     }},
};

std::string withLineEnds(const std::vector<std::string>& lines, const LineEnds& ends) {
    std::string out;
    for (std::size_t k = 0; k < lines.size(); ++k) {
        out += lines[k];
        if (k + 1 < lines.size())
            out += ends.end(k, lines.size());
    }
    return out;
}

TEST(Digest, EveryRealOutputGivesTheSameSearches) {
    const fs::path data = zerlant::testing::dataDir();
    if (data.empty())
        GTEST_SKIP() << "real data folder ../shared/data is absent";
    zerlant::testing::TempDir dir;
    std::size_t checked = 0;
    for (const auto& e : fs::directory_iterator(data)) {
        std::string ext = e.path().extension().string();
        std::transform(ext.begin(), ext.end(), ext.begin(), ::tolower);
        if (ext != ".out" && ext != ".log")
            continue;
        expectSameSearches(e.path().string(), e.path().filename().string());
        // The same file with its line ends rewritten.
        const auto lines = linesOf(zerlant::testing::readAll(e.path()));
        for (const LineEnds& ends : kLineEnds)
            expectSameSearches(dir.write("ends" + ext, withLineEnds(lines, ends)),
                               e.path().filename().string() + " (" + ends.name + ")");
        ++checked;
    }
    EXPECT_GT(checked, 100u);
}

// A file of several megabytes read in many chunks, the anchors falling on
// every side of the chunk boundaries: one optimisation step repeated, shifted
// by a few bytes each time.
TEST(Digest, AnchorsAcrossChunkBoundaries) {
    ZERLANT_DATA_FILE(seed, "cclib_g16_dvb_gopt.out");
    const std::string bytes = zerlant::testing::readAll(seed);
    const std::size_t first = bytes.find("Standard orientation");
    const std::size_t second = bytes.find("Standard orientation", first + 1);
    ASSERT_NE(second, std::string::npos);
    const std::string step = bytes.substr(first, second - first);
    zerlant::testing::TempDir dir;
    for (std::size_t shift : {0u, 1u, 7u, 13u, 40u}) {
        std::string big = bytes.substr(0, first) + std::string(shift, ' ') + "\n";
        while (big.size() < (std::size_t(3) << 20)) big += step;
        big += bytes.substr(second);
        expectSameSearches(dir.write("big.log", big), "shift " + std::to_string(shift));
    }
}

// Line ends that straddle the chunk boundaries of a file of several
// megabytes with mixed line ends: before every boundary a line of blanks is
// put whose line end is split there after `split` bytes.
TEST(Digest, LineEndsAcrossChunkBoundaries) {
    constexpr std::size_t kChunk = zerlant::kDigestChunkBytes;
    ZERLANT_DATA_FILE(seed, "cclib_g16_dvb_gopt.out");
    const std::string bytes = zerlant::testing::readAll(seed);
    const std::size_t first = bytes.find("Standard orientation");
    const std::size_t second = bytes.find("Standard orientation", first + 1);
    ASSERT_NE(second, std::string::npos);
    std::string big = bytes.substr(0, first);
    while (big.size() < (std::size_t(3) << 20)) big += bytes.substr(first, second - first);
    big += bytes.substr(second);
    const auto lines = linesOf(big);
    const struct {
        std::string_view end;
        std::size_t split;
        std::size_t base;  // the row of kLineEnds for the other lines
    } rows[] = {
        {"\r\n", 1, 1}, {"\r\n", 1, 4}, {"\r\r\n", 1, 1}, {"\r\r\n", 2, 5},
        {"\n\r", 1, 3}, {"\r\n", 1, 6}, {"\r", 1, 4},     {"\n", 1, 1},
    };
    zerlant::testing::TempDir dir;
    for (const auto& row : rows) {
        const LineEnds& base = kLineEnds[row.base];
        std::string text;
        std::size_t boundary = kChunk;
        for (std::size_t k = 0; k < lines.size(); ++k) {
            const std::string_view end = k + 1 < lines.size() ? base.end(k, lines.size()) : "";
            if (text.size() + lines[k].size() + end.size() + 4 >= boundary) {
                text += std::string(boundary - row.split - text.size(), ' ');
                text += row.end;
                ASSERT_EQ(text.substr(boundary - row.split, row.end.size()), row.end);
                boundary += kChunk;
            }
            text += lines[k];
            text += end;
        }
        ASSERT_GT(boundary, 40 * kChunk);
        const std::string path = dir.write("split.log", text);
        // Only the kept parts: the last steps and the archive entry.
        auto digest = zerlant::readDigest(path);
        ASSERT_TRUE(digest.ok() && digest->has_value());
        EXPECT_LT((*digest)->ref().size(), text.size() / 20) << base.name;
        expectSameSearches(path, std::string(base.name) + ", " +
                                     ::testing::PrintToString(std::string(row.end)) +
                                     " split after " + std::to_string(row.split));
    }
}

// In a file of mixed line ends an "@" ends the archive entry when the "|"
// before it is only followed by wrapped line ends (one line end and a blank);
// two line ends in a row are no wrap, and the entry runs on to the next "@".
TEST(Digest, ArchiveEndAfterMixedWrappedLineEnds) {
    const struct {
        std::string_view wrap;
        bool ends;
    } rows[] = {
        {"", true},           {"\r\n ", true},      {"\n ", true},      {"\r ", true},
        {"\n\r ", true},      {"\r\r\n ", true},    {"\n \r\n ", true}, {"\r \r ", true},
        {"\n\n ", false},     {"\r\n\r\n ", false}, {"\r\r ", false},   {"\n\r\n ", false},
        {"\r\r\r\n ", false}, {"\r\n  ", false},    {" \r\n ", false},
    };
    zerlant::testing::TempDir dir;
    for (const auto& row : rows) {
        const std::string text = std::string(" Entering Gaussian System\r\n") +
                                 " SCF Done:  E(RHF) =  -1.1 A.U. after 4 cycles\n" +
                                 " 1\\1\\GINC-NODE\\SP\\RHF\\STO-3G\\H2\\USER\\" +
                                 std::string(row.wrap) + "@\r\n" + " x\n y\r z\r\n HF=-1.1\\\\@\n" +
                                 " Normal termination of Gaussian 16\r";
        const std::string path = dir.write("wrap.log", text);
        expectSameSearches(path, ::testing::PrintToString(std::string(row.wrap)));
        auto whole = zerlant::readNormalised(path);
        ASSERT_TRUE(whole.ok());
        const auto places = zerlant::archivePlaces(whole->ref());
        ASSERT_EQ(places.size(), 1u);
        EXPECT_EQ(whole->text().substr(places[0].end).starts_with("@\r\n x"), row.ends)
            << ::testing::PrintToString(std::string(row.wrap));
    }
}

// "NTot=" in a grid line is no dipole total, also when its "N" ends one chunk
// and "Tot=" starts the next.
TEST(Digest, WordStartAcrossAChunkBoundary) {
    constexpr std::size_t kChunk = zerlant::kDigestChunkBytes;
    std::string text = " Dipole X= 0.0 Tot=  1.5000\n";
    while (text.size() < kChunk - 60) text += " filler line of an output file\n";
    text += std::string(kChunk - 1 - text.size(), ' ');
    text += "NTot=  2.5000\n Normal termination of Gaussian\n";
    ASSERT_EQ(text[kChunk - 1], 'N');
    zerlant::testing::TempDir dir;
    expectSameSearches(dir.write("grid.log", text), "NTot");
    auto digest = zerlant::readDigest(dir.file("grid.log"));
    ASSERT_TRUE(digest.ok() && digest->has_value());
    const auto& tot = *std::find_if(searches().begin(), searches().end(),
                                    [](const auto& s) { return s["anchor"] == "Tot="; });
    EXPECT_EQ(found((*digest)->ref(), tot), std::vector<std::string>{"  1.5000"});
}

// An archive entry that never ends: the file is read whole instead.
TEST(Digest, ArchiveWithoutItsEndIsReadWhole) {
    zerlant::testing::TempDir dir;
    const std::string path =
        dir.write("cut.log", " SCF Done:  E(RHF) =  -1.0 A.U.\n 1\\1\\GINC\\SP\\RHF\\STO-3G\\H2\n");
    auto digest = zerlant::readDigest(path);
    ASSERT_TRUE(digest.ok());
    EXPECT_FALSE(digest->has_value());
    // A missing file too: the whole reading says why.
    auto missing = zerlant::readDigest(dir.file("missing.log"));
    EXPECT_TRUE(!missing.ok() || !missing->has_value());
}

}  // namespace
