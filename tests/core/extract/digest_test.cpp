// The digest of an output file stands in for its whole normalised text: every
// search the extraction and its parsers make finds the same text in both.

#include "core/extract/digest.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string>
#include <vector>

#include "core/files/filetext.hpp"
#include "core/text/textutils.hpp"
#include "testsupport.hpp"

namespace {

namespace fs = std::filesystem;
using zerlant::FoldedText;
using zerlant::TextRef;

struct Search {
    std::string_view start;
    std::string_view end;
    bool fromEnd;
};

// The searches of the extraction and its parsers (their anchors and end
// markers; "\r\n" reads the rest of a line).
constexpr Search kSearches[] = {
    {"Normal termination", "\r\n", true},
    {"Job cpu time", "\r\n", false},
    {"SCF Done:", "\r\n", true},
    {"SCF Done:", "\r\n", false},
    {"RSolv=", "\r\n", true},
    {"with all non electrostatic terms", "\r\n", true},
    {"PCM non-electrostatic energy", "\r\n", true},
    {"Cavitation energy", "\r\n", true},
    {"DeltaG", "\r\n", false},
    {"Molar volume", "\r\n", true},
    {"Recommended a0 for SCRF calculation", "\r\n", true},
    {"Electronic spatial extent (au)", "\r\n", true},
    {"Standard orientation:", "Rotational constants", true},
    {"Mulliken atomic charges:", "Sum of Mulliken", true},
    {"Total atomic charges:", "Sum of Mulliken", true},
    {"Mulliken charges:", "Sum of Mulliken", true},
    {"Mulliken charges and spin densities:", "Sum of Mulliken", true},
    {"Orbital Symmetries:", "The electronic state is", true},
    {"The electronic state is", "Condensed to atoms", true},
    {"Population analysis using", "Condensed to atoms", true},
    {"Cal/Mol-Kelvin", "Log10(Q)", true},
    {"Excitation energies and oscillator strengths:", "SavETr", true},
    {"Rotatory Strengths", "1/2[<0|del|b>*<b|r|0>", true},
    {"Rotatory Strengths", "<0|del|b> * <b|r|0>", true},
};

// The text from the last occurrence of `anchor` that begins a word, to the
// end of its line.
std::string lastWordLine(TextRef text, std::string_view anchor) {
    for (std::size_t at = text.rfind(anchor); at != TextRef::npos;
         at = at == 0 ? TextRef::npos : text.rfind(anchor, at - 1)) {
        if (at == 0 || !std::isalnum(static_cast<unsigned char>(text.text()[at - 1])))
            return zerlant::textoentre(text.sub(at), anchor, "\r\n", false).str();
    }
    return "<none>";
}

// The normal-mode block: from its heading to the first blank line.
std::string normalModes(TextRef text) {
    const std::size_t at = text.rfind("and normal coordinates:");
    if (at == TextRef::npos)
        return "<none>";
    const std::string_view rest = text.text().substr(at);
    std::size_t from = rest.find('\n');
    while (from != std::string_view::npos) {
        const std::size_t to = rest.find('\n', from + 1);
        if (to == std::string_view::npos ||
            zerlant::trimBlanks(rest.substr(from + 1, to - from - 1)).empty())
            return std::string(rest.substr(0, to));
        from = to;
    }
    return std::string(rest);
}

// Each archive entry with the first "SCF Done:" line of its step, and the
// last geometry before its end.
std::vector<std::string> steps(TextRef text) {
    std::vector<std::string> out;
    std::size_t begin = 0;
    for (const zerlant::ArchivePlace& p : zerlant::archivePlaces(text)) {
        out.emplace_back(text.text().substr(p.begin, p.end - p.begin));
        const TextRef step = text.sub(begin, p.end - begin);
        out.push_back(zerlant::textoentre(step, "SCF Done:", "\r\n", false).str());
        out.push_back(zerlant::textoentre(text.sub(0, p.end),
                                          "Standard orientation:", "Rotational constants", true)
                          .str());
        begin = p.end;
    }
    return out;
}

// CR LF beside a lone CR or LF.
bool mixedLineEnds(const std::string& bytes) {
    std::size_t crs = 0, lfs = 0, pairs = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        crs += bytes[i] == '\r';
        lfs += bytes[i] == '\n';
        pairs += bytes[i] == '\n' && i > 0 && bytes[i - 1] == '\r';
    }
    return crs > 0 && !(crs == lfs && lfs == pairs);
}

void expectSameSearches(const std::string& path, const std::string& what) {
    auto whole = zerlant::readNormalised(path);
    ASSERT_TRUE(whole.ok()) << what;
    auto digest = zerlant::readDigest(path);
    ASSERT_TRUE(digest.ok()) << what;
    if (!digest->has_value()) {
        // Only a file of mixed line ends is read whole.
        EXPECT_TRUE(mixedLineEnds(zerlant::testing::readAll(path))) << what << ": read whole";
        return;
    }
    const TextRef w = whole->ref();
    const TextRef d = (*digest)->ref();
    EXPECT_LE(d.size(), w.size()) << what;
    for (const Search& s : kSearches)
        EXPECT_EQ(zerlant::textoentre(w, s.start, s.end, s.fromEnd).str(),
                  zerlant::textoentre(d, s.start, s.end, s.fromEnd).str())
            << what << ": " << s.start << " ... " << s.end;
    for (std::string_view word : {"Tot=", "EPS="})
        EXPECT_EQ(lastWordLine(w, word), lastWordLine(d, word)) << what << ": " << word;
    EXPECT_EQ(normalModes(w), normalModes(d)) << what;
    EXPECT_EQ(steps(w), steps(d)) << what;
    EXPECT_EQ(w.rfind("Population analysis using") == TextRef::npos ||
                  w.rfind("Orbital Symmetries:") < w.rfind("Population analysis using"),
              d.rfind("Population analysis using") == TextRef::npos ||
                  d.rfind("Orbital Symmetries:") < d.rfind("Population analysis using"))
        << what;
}

std::string withCrLf(const std::string& bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 16);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r'))
            out += '\r';
        out += bytes[i];
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
        // The same file with CR LF line ends.
        const std::string crlf =
            dir.write("crlf" + ext, withCrLf(zerlant::testing::readAll(e.path())));
        expectSameSearches(crlf, e.path().filename().string() + " (CR LF)");
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
    EXPECT_EQ(lastWordLine((*digest)->ref(), "Tot="), "  1.5000");
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
