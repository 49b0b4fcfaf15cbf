#include "core/files/paths.hpp"

#include <gtest/gtest.h>

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
