#include "core/filelist/workinglist.hpp"

#include <gtest/gtest.h>

#include <map>

namespace zerlant {
namespace {

std::vector<std::string> names(const WorkingFileList& list) {
    std::vector<std::string> result;
    for (std::size_t r = 1; r < list.rowCount(); ++r) result.push_back(list.row(r).name);
    return result;
}

TEST(WorkingFileList, AddKeepsNamesUniqueIncludingTheHeading) {
    WorkingFileList list;
    list.reset(2, "Files");
    EXPECT_EQ(list.add("/data/a", {"x.out", "y.log"}), 2u);
    EXPECT_TRUE(list.isChecked(1));
    EXPECT_TRUE(list.isChecked(2));
    EXPECT_EQ(list.row(1).path, "/data/a/x.out");

    // The same selection again adds nothing; a name from another folder
    // neither; the heading text counts as a name; repeats within one call
    // are added once; comparison is case-sensitive.
    EXPECT_EQ(list.add("/data/a", {"x.out", "y.log"}), 0u);
    EXPECT_EQ(list.add("/elsewhere", {"x.out", "Files"}), 0u);
    EXPECT_EQ(list.add("/data/b", {"z.out", "z.out", "X.out"}), 2u);
    EXPECT_EQ(names(list), (std::vector<std::string>{"x.out", "y.log", "z.out", "X.out"}));
    EXPECT_FALSE(list.isChecked(0));

    // A root folder gets one separator, dropped paths keep theirs.
    EXPECT_EQ(joinFolder("/", "r.out"), "/r.out");
    EXPECT_EQ(list.addPaths({"/one/w.gjf", "/two/w.gjf", "/two/x.out"}), 1u);
    EXPECT_EQ(list.row(5).path, "/one/w.gjf");
}

TEST(WorkingFileList, RemoveCheckedKeepsOrderAndPairing) {
    WorkingFileList list;
    list.add("/f", {"a", "b", "c", "d", "e"});
    list.toggle(2);  // b unticked
    list.toggle(4);  // d unticked
    EXPECT_EQ(list.removeChecked(), 3u);
    ASSERT_EQ(names(list), (std::vector<std::string>{"b", "d"}));
    EXPECT_EQ(list.row(1).path, "/f/b");
    EXPECT_EQ(list.row(2).path, "/f/d");

    // Nothing ticked removes nothing; the only entry can be removed, leaving
    // the heading row.
    EXPECT_EQ(list.removeChecked(), 0u);
    list.removeAll();
    EXPECT_EQ(list.rowCount(), 1u);
    list.add("/f", {"only"});
    EXPECT_EQ(list.removeChecked(), 1u);
    EXPECT_EQ(list.rowCount(), 1u);
}

TEST(WorkingFileList, SwitchAllAndToggle) {
    WorkingFileList list;
    list.add("/f", {"a", "b", "c"});
    list.toggle(1);
    EXPECT_EQ(list.checkedEntries(), (std::vector<std::size_t>{2, 3}));

    // Switch-all from an unticked heading ticks everything, the heading too;
    // a second switch unticks all.  Single toggles leave the heading alone.
    list.switchAll();
    EXPECT_TRUE(list.isChecked(0));
    EXPECT_EQ(list.checkedEntries(), (std::vector<std::size_t>{1, 2, 3}));
    list.toggle(2);
    EXPECT_TRUE(list.isChecked(0));
    list.switchAll();
    EXPECT_FALSE(list.isChecked(0));
    EXPECT_TRUE(list.checkedEntries().empty());
    EXPECT_FALSE(list.isChecked(99));
    list.toggle(99);  // harmless
}

TEST(WorkingFileList, PanelsResetTheListWithTheirHeadings) {
    std::map<int, std::string> texts{{82, "Files"}, {122, "Name"}, {123, "New name"}};
    MessageLookup message = [&](int n) { return texts[n]; };

    WorkingFileList list;
    list.add("/f", {"a"});
    list.switchAll();
    auto h = panelHeadings(Panel::Rename, message);
    list.reset(panelListLayout(Panel::Rename).columns, h.heading1, h.heading2);
    EXPECT_EQ(list.rowCount(), 1u);
    EXPECT_EQ(list.columns(), 3);
    EXPECT_FALSE(list.isChecked(0));
    EXPECT_EQ(list.row(0).name, "Name");
    EXPECT_EQ(list.row(0).newName, "New name");
}

}  // namespace
}  // namespace zerlant
