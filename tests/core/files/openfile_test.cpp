#include "core/files/openfile.hpp"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "core/files/filetext.hpp"
#include "core/files/linereader.hpp"
#include "core/files/paths.hpp"
#include "testsupport.hpp"

using namespace zerlant;
using zerlant::testing::TempDir;
namespace fs = std::filesystem;

namespace {

// Every reading and rewriting procedure of a path: what each says, or "" when
// it succeeded.
std::vector<std::string> outcomes(const std::string& path) {
    auto message = [](const auto& r) { return r ? std::string() : r.error().message; };
    return {message(openRegularFile(path)),         message(readFileBytes(path)),
            message(leerarchivo(path, true)),       message(leercola(path)),
            message(readNormalisedText(path)),      message(readNormalised(path)),
            message(normalizararchivo(path, false))};
}

}  // namespace

// Pipes, devices, folders and links to them are refused at once, by every
// procedure, with the kind named; a link to a regular file is followed.
TEST(OpenRegularFile, EveryKindOfNameEveryProcedure) {
    ::alarm(20);  // a blocking open would hang here: fail loudly instead
    TempDir dir;
    ASSERT_EQ(::mkfifo(dir.file("pipe.log").c_str(), 0644), 0);
    fs::create_symlink(dir.file("pipe.log"), dir.file("link-to-pipe.log"));
    fs::create_symlink("/dev/zero", dir.file("zero.log"));
    fs::create_symlink("/dev/null", dir.file("null.log"));
    fs::create_directory(dir.file("folder.log"));
    fs::create_symlink(dir.file("nowhere"), dir.file("dangling.log"));
    dir.write("job.log", "a\nb\\c\n");
    fs::create_symlink(dir.file("job.log"), dir.file("link-to-job.log"));

    const struct {
        const char* name;
        const char* reason;  // "" when it is read
    } cases[] = {
        {"pipe.log", "a named pipe, not a regular file"},
        {"link-to-pipe.log", "a named pipe, not a regular file"},
        {"zero.log", "a device, not a regular file"},
        {"null.log", "a device, not a regular file"},
        {"folder.log", "a folder, not a regular file"},
        {"dangling.log", "No such file or directory"},
        {"missing.log", "No such file or directory"},
        {"link-to-job.log", ""},
    };
    for (const auto& c : cases)
        for (const std::string& got : outcomes(dir.file(c.name)))
            EXPECT_EQ(got, c.reason) << c.name;
    EXPECT_EQ(zerlant::testing::readAll(dir.file("job.log")), "a\r\nb|c\r\n\r\n");
    EXPECT_TRUE(fs::is_fifo(dir.file("pipe.log")));
    ::alarm(0);
}

// The size is the one at the open: bytes appended later are not read.
TEST(OpenRegularFile, ReadsNoMoreThanTheSizeAtTheOpen) {
    TempDir dir;
    const std::string path = dir.write("grow.log", "12345");
    auto file = openRegularFile(path);
    ASSERT_TRUE(file);
    EXPECT_EQ(file->size(), 5u);
    EXPECT_EQ(file->links(), 1u);
    std::ofstream(path, std::ios::app) << "6789";
    EXPECT_EQ(*file->readAll(), "12345");
    EXPECT_EQ(*file->readTail(2), "45");
    OpenedFile moved = std::move(*file);
    EXPECT_EQ(*moved.readAll(), "12345");
    EXPECT_EQ(file->fd(), -1);
    fs::resize_file(path, 3);
    EXPECT_EQ(moved.readAll().error().message, "the file changed while it was being read");
}

// A file read line by line gives back its bytes exactly, each line with its
// own line end and where it starts, whatever falls on the borders of the
// pieces it is read in: lines that cross them, a line longer than a piece,
// CR LF ends, a last line without an end.
TEST(LineReader, GivesEveryLineWithItsEndAcrossThePieces) {
    std::string text;
    for (std::size_t i = 0; text.size() < 2 * zerlant::LineReader::kPieceBytes; ++i)
        text += std::string(i % 97, 'a' + static_cast<char>(i % 26)) + (i % 3 ? "\n" : "\r\n");
    text += std::string(zerlant::LineReader::kPieceBytes + 10, 'x') + "\n\nlast";
    zerlant::testing::TempDir dir;
    auto reader = zerlant::LineReader::open(dir.write("big.log", text));
    ASSERT_TRUE(reader.ok());
    std::string again;
    std::size_t lines = 0;
    while (auto line = reader->next()) {
        ASSERT_EQ(reader->offset(), again.size());
        const std::size_t end = line->find('\n');
        ASSERT_TRUE(end == std::string_view::npos || end + 1 == line->size());
        again += *line;
        ++lines;
    }
    EXPECT_FALSE(reader->error());
    EXPECT_EQ(again, text);
    EXPECT_EQ(lines, static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1);
}

TEST(Paths, FolderNameAndExtension) {
    EXPECT_EQ(carpetadearchivo("/a/b.out"), "/a/");
    EXPECT_EQ(carpetadearchivo("b.out"), "");
    EXPECT_EQ(carpetadearchivo("/b.out"), "/");
    EXPECT_EQ(carpetadearchivo("/a/dir/"), "/a/dir/");

    EXPECT_EQ(nombredearchivo("/a/b.c.out", false), "b.c");
    EXPECT_EQ(nombredearchivo("/a/b.c.out", true), "b.c.out");
    EXPECT_EQ(nombredearchivo("b.out", false), "b");
    EXPECT_EQ(nombredearchivo("/a/README", false), "README");  // no '.': the whole name
    EXPECT_EQ(nombredearchivo("/a.d/README", false), "README");
    EXPECT_EQ(nombredearchivo("/a/dir/", true), "");
    EXPECT_EQ(nombredearchivo("/a/dir/", false), "");

    EXPECT_EQ(extensiondearchivo("/a/b.out"), "out");
    EXPECT_EQ(extensiondearchivo("/a/README"), "README");
    EXPECT_EQ(extensiondearchivo("/a.d/b.c.LOG"), "LOG");
    EXPECT_EQ(extensiondearchivo("/a/b."), "");
}

// An output that is one of the inputs by name, by another spelling of the
// name, by a link or a hard link is found; a different file is not.
TEST(Paths, OutputIsAnInput) {
    zerlant::testing::TempDir dir;
    const std::string j = dir.write("j.log", "job");
    dir.write("k.log", "other");
    std::filesystem::create_symlink(j, dir.file("link.log"));
    std::filesystem::create_hard_link(j, dir.file("hard.log"));
    std::filesystem::create_directory(dir.file("sub"));
    const std::vector<std::string> inputs = {dir.file("k.log"), j};
    const struct {
        std::string output;
        std::optional<std::string> clash;
    } cases[] = {
        {j, j},
        {dir.file("sub/../j.log"), j},
        {dir.file("./j.log"), j},
        {dir.file("link.log"), j},
        {dir.file("hard.log"), j},
        {dir.file("new.txt"), std::nullopt},
        {dir.file("sub/j.log"), std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(outputIsAnInput(c.output, inputs), c.clash) << c.output;
    // A name given twice that does not exist yet is still the same path.
    EXPECT_EQ(outputIsAnInput("missing.sum", {"./missing.sum"}), "./missing.sum");
}
