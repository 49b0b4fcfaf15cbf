#include "core/files/paths.hpp"

#include <filesystem>

#include "testsupport.hpp"

using namespace zerlant;

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
