#include "core/files/filetext.hpp"

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <random>

#include "testsupport.hpp"

using namespace zerlant;
using zerlant::testing::filesIn;
using zerlant::testing::readAll;
using zerlant::testing::TempDir;
namespace fs = std::filesystem;

namespace {

// The rule written out plainly: every line end (CR CR LF, CR LF, LF CR, a
// lone CR or LF, taken longest first) becomes CR LF, every '\' a '|'.  For a
// file whose ends are all CR LF or all LF this is also what the piece rule
// gives, whatever the piece size.
std::string referenceNormalised(const std::string& b) {
    std::string out;
    for (std::size_t i = 0; i < b.size(); ++i) {
        if (b.compare(i, 3, "\r\r\n") == 0) {
            out += "\r\n";
            i += 2;
        } else if (b.compare(i, 2, "\r\n") == 0 || b.compare(i, 2, "\n\r") == 0) {
            out += "\r\n";
            i += 1;
        } else if (b[i] == '\r' || b[i] == '\n') {
            out += "\r\n";
        } else {
            out += b[i] == '\\' ? '|' : b[i];
        }
    }
    return out + "\r\n";
}

}  // namespace

TEST(PieceEnds, CountRoundedHalfToEven) {
    using V = std::vector<std::uint64_t>;
    EXPECT_EQ(detail::pieceEnds(0, 4), V{0});
    EXPECT_EQ(detail::pieceEnds(4, 4), V{4});
    EXPECT_EQ(detail::pieceEnds(5, 4), V{5});         // 1.25 -> 1
    EXPECT_EQ(detail::pieceEnds(6, 4), (V{4, 6}));    // 1.5 -> 2
    EXPECT_EQ(detail::pieceEnds(10, 4), (V{4, 10}));  // 2.5 -> 2: the last piece holds the rest
    EXPECT_EQ(detail::pieceEnds(14, 4), (V{4, 8, 12, 14}));  // 3.5 -> 4
    EXPECT_EQ(detail::pieceEnds(97'499'999, kPieceBytes), V{97'499'999});
    EXPECT_EQ(detail::pieceEnds(97'500'000, kPieceBytes), (V{65'000'000, 97'500'000}));
    EXPECT_EQ(detail::pieceEnds(162'500'000, kPieceBytes), (V{65'000'000, 162'500'000}));
}

TEST(NormalisedText, LineEndsBackslashesAndFinalCrLf) {
    for (const auto& c : zerlant::testing::caseRecords("core/files/lineend_cases.tsv")) {
        EXPECT_EQ(normalisedText(c["bytes"]), c["normalised"]) << c.source;
        EXPECT_EQ(referenceNormalised(c["bytes"]), c["normalised"]) << c.source;
    }
    std::string all;
    for (int c = 0; c < 256; ++c) all += static_cast<char>(c);
    std::string n = normalisedText(all);
    EXPECT_EQ(n.size(), all.size() + 4);  // LF and CR (apart) one line end each
    EXPECT_EQ(n.find('\\'), std::string::npos);
}

TEST(NormalisedText, EveryPieceSizeGivesThePlainRule) {
    // A CR LF split by a piece boundary is one pair: no CR CR LF.
    EXPECT_EQ(detail::normalisedText("abc\r\nd\r\ne\r\n", 4), "abc\r\nd\r\ne\r\n\r\n");
    EXPECT_EQ(detail::normalisedText("ab\nc\nd\ne\n", 5), "ab\r\nc\r\nd\r\ne\r\n\r\n");
    std::mt19937 rng(11);
    for (const std::string alphabet : {"a\r\n\\", "a\r\n", "ab\n", "a\\\r\n\r\n"}) {
        for (int round = 0; round < 400; ++round) {
            std::string bytes(rng() % 40, 'a');
            if (alphabet == "a\\\r\n\r\n") {
                // Only CR LF line ends: the piece rule's own path.
                bytes.clear();
                for (int k = rng() % 12; k > 0; --k) bytes += rng() % 2 ? "a\\" : "\r\n";
            } else {
                for (char& c : bytes) c = alphabet[rng() % alphabet.size()];
            }
            for (std::uint64_t piece : {1u, 2u, 3u, 5u, 8u, 1000u})
                ASSERT_EQ(detail::normalisedText(bytes, piece), referenceNormalised(bytes))
                    << "piece " << piece;
        }
    }
}

// Each line end as LineEndTokens finds it is one CR LF of the normalised
// text, and parts that begin and end where a line end ends are normalised as
// they are inside the whole text, whatever the mix of line ends, also when
// appended in several calls.
TEST(PartNormaliser, PartsBetweenLineEndsMatchTheWholeText) {
    std::mt19937 rng(17);
    for (const std::string alphabet : {"a\r\n", "ab\r\r\n\n\\", "a \r\n\n"}) {
        for (int round = 0; round < 300; ++round) {
            std::string bytes(rng() % 48, 'a');
            for (char& c : bytes) c = alphabet[rng() % alphabet.size()];
            const std::string whole = normalisedText(bytes);
            // Where each byte offset lies in the normalised text, at the
            // places where no line end is open.
            std::vector<std::uint64_t> ends;
            LineEndTokens tokens;
            auto ended = [&](std::uint64_t after) { ends.push_back(after); };
            for (std::size_t i = 0; i < bytes.size(); ++i) tokens.feed(bytes[i], i, ended);
            tokens.finish(bytes.size(), ended);
            ASSERT_TRUE(std::is_sorted(ends.begin(), ends.end()));
            std::map<std::uint64_t, std::size_t> at;  // boundary -> normalised offset
            std::string rebuilt;
            std::size_t next = 0;
            for (std::size_t i = 0; i <= bytes.size(); ++i) {
                bool boundary = i == 0 || (bytes[i - 1] != '\r' && bytes[i - 1] != '\n');
                while (next < ends.size() && ends[next] == i) {
                    rebuilt += "\r\n";
                    ++next;
                    boundary = true;
                }
                if (boundary)
                    at[i] = rebuilt.size();
                if (i < bytes.size() && bytes[i] != '\r' && bytes[i] != '\n')
                    rebuilt += bytes[i] == '\\' ? '|' : bytes[i];
            }
            ASSERT_EQ(rebuilt + "\r\n", whole) << ::testing::PrintToString(bytes);

            PartNormaliser parts(bytes.size());
            parts.scan(bytes.data(), bytes.size(), 0);
            std::vector<std::uint64_t> cuts;
            for (const auto& [offset, unused] : at)
                if (rng() % 3 == 0)
                    cuts.push_back(offset);
            std::string expected, digest;
            for (std::size_t k = 0; k + 1 < cuts.size(); k += 2) {
                const std::uint64_t begin = cuts[k], end = cuts[k + 1];
                expected += whole.substr(at[begin], at[end] - at[begin]);
                // In two calls, split anywhere.
                const std::uint64_t split = begin + rng() % (end - begin + 1);
                parts.append(bytes.data() + begin, split - begin, begin, digest);
                parts.append(bytes.data() + split, end - split, split, digest);
                parts.endPart(digest);
            }
            EXPECT_EQ(digest, expected) << ::testing::PrintToString(bytes);
        }
    }
}

TEST(Normalizararchivo, DiskEqualsMemoryForEveryPieceSize) {
    TempDir dir;
    std::mt19937 rng(5);
    const std::string alphabet = "ab\r\n\\";
    for (int round = 0; round < 25; ++round) {
        std::string bytes(rng() % 64, 'a');
        for (char& c : bytes) c = alphabet[rng() % alphabet.size()];
        for (std::uint64_t piece : {1u, 3u, 7u, 64u}) {
            std::string path = dir.write("job.out", bytes);
            auto inMemory = detail::readNormalisedText(path, piece);
            ASSERT_TRUE(inMemory);
            EXPECT_EQ(*inMemory, detail::normalisedText(bytes, piece));
            ASSERT_TRUE(detail::normalizararchivo(path, false, piece));
            EXPECT_EQ(readAll(path), *inMemory) << "piece " << piece;
        }
    }
    EXPECT_EQ(filesIn(dir), std::set<std::string>{"job.out"});
    // The default piece size and the public functions agree as well.
    std::string path = dir.write("b.log", "x\\y\nz\n");
    auto folded = readNormalised(path);
    ASSERT_TRUE(folded);
    EXPECT_EQ(folded->text(), "x|y\r\nz\r\n\r\n");
    EXPECT_EQ(readAll(path), "x\\y\nz\n");  // reading never writes
    ASSERT_TRUE(normalizararchivo(path, false));
    EXPECT_EQ(readAll(path), folded->text());
}

TEST(Normalizararchivo, KeepBackupNeverReplacesAFileAndLeavesNoWorkFiles) {
    TempDir dir;
    std::string path = dir.write("h2o.out", "A\\B\nC\n");
    ::chmod(path.c_str(), 0640);
    std::string backup;
    ASSERT_TRUE(normalizararchivo(path, true, &backup));
    EXPECT_EQ(backup, dir.file("h2o.bak"));
    EXPECT_EQ(readAll(path), "A|B\r\nC\r\n\r\n");
    EXPECT_EQ(readAll(dir.file("h2o.bak")), "A\\B\nC\n");
    EXPECT_EQ(filesIn(dir), (std::set<std::string>{"h2o.bak", "h2o.out"}));
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    ASSERT_EQ(::stat(backup.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);

    // Another file of the same name, and the first one again: each backup
    // takes the next free name, the earlier ones stay.
    dir.write("h2o.log", "L\n");
    ASSERT_TRUE(normalizararchivo(dir.file("h2o.log"), true, &backup));
    EXPECT_EQ(backup, dir.file("h2o.1.bak"));
    ASSERT_TRUE(normalizararchivo(path, true, &backup));
    EXPECT_EQ(backup, dir.file("h2o.2.bak"));
    EXPECT_EQ(readAll(dir.file("h2o.bak")), "A\\B\nC\n");
    EXPECT_EQ(readAll(dir.file("h2o.1.bak")), "L\n");
    EXPECT_EQ(readAll(dir.file("h2o.2.bak")), "A|B\r\nC\r\n\r\n");

    // A name without '.' keeps its backup as NAME.bak; a file called
    // NAME.bak keeps it as NAME.1.bak.
    std::string readme = dir.write("README", "x\n");
    ASSERT_TRUE(normalizararchivo(readme, true));
    EXPECT_EQ(readAll(readme), "x\r\n\r\n");
    EXPECT_EQ(readAll(dir.file("README.bak")), "x\n");
    std::string self = dir.write("c.bak", "q\n");
    ASSERT_TRUE(normalizararchivo(self, true, &backup));
    EXPECT_EQ(backup, dir.file("c.1.bak"));
    EXPECT_EQ(readAll(self), "q\r\n\r\n");
    EXPECT_EQ(readAll(backup), "q\n");

    // A symbolic link: its target is rewritten, the link stays a link.
    std::string target = dir.write("real.log", "r\n");
    fs::create_symlink(target, dir.path() / "link.log");
    ASSERT_TRUE(normalizararchivo(dir.file("link.log"), false));
    EXPECT_TRUE(fs::is_symlink(dir.path() / "link.log"));
    EXPECT_EQ(readAll(target), "r\r\n\r\n");
    EXPECT_EQ(filesIn(dir), (std::set<std::string>{"README", "README.bak", "c.bak", "c.1.bak",
                                                   "h2o.bak", "h2o.1.bak", "h2o.2.bak", "h2o.log",
                                                   "h2o.out", "link.log", "real.log"}));
}

TEST(Normalizararchivo, FailuresChangeNothing) {
    TempDir dir;
    auto missing = normalizararchivo(dir.file("nope.out"), true);
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.error().path, dir.file("nope.out"));
    EXPECT_FALSE(normalizararchivo(dir.path().string(), false));
    EXPECT_FALSE(normalizararchivo(dir.file("no/such/dir.out"), false));
    EXPECT_TRUE(filesIn(dir).empty());
    EXPECT_FALSE(readNormalised(dir.file("nope.out")));
    EXPECT_FALSE(readNormalised(dir.path().string()));
}

TEST(FileReading, LeerarchivoLeercolaAndAtomicWrites) {
    TempDir dir;
    std::string path = dir.write("a.gjf", "abc\r\n def\r\nghi\r\n");
    EXPECT_EQ(*leerarchivo(path, true), "abcdef\r\nghi\r\n");
    EXPECT_EQ(*leerarchivo(path, false), "abc\r\n def\r\nghi\r\n");
    EXPECT_EQ(*leercola(path), "abc\r\n def\r\nghi\r\n");
    EXPECT_FALSE(leerarchivo(dir.file("none"), false));
    EXPECT_EQ(*readFileBytes(dir.write("empty", "")), "");

    ASSERT_TRUE(writeFileAtomically(path, "new"));
    EXPECT_EQ(readAll(path), "new");
    ASSERT_TRUE(writeFileAtomically(dir.file("fresh.txt"), "x"));
    EXPECT_EQ(readAll(dir.file("fresh.txt")), "x");
    EXPECT_FALSE(writeFileAtomically(dir.file("no/such/file"), "x"));
    EXPECT_EQ(filesIn(dir), (std::set<std::string>{"a.gjf", "empty", "fresh.txt"}));
}

TEST(FileReading, LeercolaTakesTheLastBytesOfALargeFile) {
    TempDir dir;
    std::string bytes(kTailBytes + 100, 'x');
    bytes.replace(99, 1, "A");   // last byte before the tail
    bytes.replace(100, 1, "B");  // first byte of the tail
    std::string path = dir.write("big.out", bytes);
    auto tail = leercola(path);
    ASSERT_TRUE(tail);
    EXPECT_EQ(tail->size(), kTailBytes);
    EXPECT_EQ(tail->front(), 'B');
}

TEST(Normalizararchivo, ChunkAndPieceBoundariesOfLargerFiles) {
    // Files are read in chunks of 4 MiB; pieces here are 1,600,001 bytes, so
    // chunk and piece boundaries fall inside each other.  A CR LF pair is put
    // across a chunk boundary in one case and across a piece boundary in the
    // other, in files whose other line ends are lone LFs.
    TempDir dir;
    const std::uint64_t piece = 1'600'001;
    const std::size_t size = 4'800'005;
    std::string lines;
    for (std::size_t i = 0; lines.size() < size; ++i)
        lines += "line " + std::to_string(i) + " \\ of an output\n";
    lines.resize(size);
    const std::size_t chunkEnd = std::size_t(4) << 20;
    const struct {
        std::size_t at;
        std::string ends;
    } cases[] = {
        {chunkEnd - 1, "\r\n"},   {std::size_t(2 * piece - 1), "\r\n"},
        {chunkEnd - 1, "\r\r\n"}, {chunkEnd - 2, "\r\r\n"},
        {chunkEnd - 1, "\n\r"},
    };
    for (const auto& c : cases) {
        std::string bytes = lines;
        bytes.replace(c.at, c.ends.size(), c.ends);
        std::string want = referenceNormalised(bytes);
        EXPECT_EQ(detail::normalisedText(bytes, piece), want);
        std::string path = dir.write("large.out", bytes);
        auto read = detail::readNormalisedText(path, piece);
        ASSERT_TRUE(read);
        EXPECT_TRUE(*read == want);
        ASSERT_TRUE(detail::normalizararchivo(path, false, piece));
        EXPECT_TRUE(readAll(path) == want);
        EXPECT_EQ(want.find("\r\r\n"), std::string::npos);
    }
    // Only CR LF line ends, one pair across the chunk boundary: kept as they are.
    std::string crLf;
    for (std::size_t i = 0; crLf.size() < size; ++i)
        crLf += "line " + std::to_string(i) + " of an output\r\n";
    crLf.resize(size - 2);
    crLf += "\r\n";
    crLf.replace(chunkEnd - 1, 2, "\r\n");
    std::string path = dir.write("crlf.out", crLf);
    auto read = detail::readNormalisedText(path, piece);
    ASSERT_TRUE(read);
    EXPECT_TRUE(*read == referenceNormalised(crLf));
}
