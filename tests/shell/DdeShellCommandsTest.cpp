// Shell requests: command names, web-page and folder execute commands, and
// item lists that are looked up, never dereferenced.
#include "DdeShellCommands.h"
#include "ShellItemListTable.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {
const DdeCommandNames kNames{"ViewFolder", "ExploreFolder", "FindFolder"};
}

TEST(DdeShellCommands, CommandNamesAndWebPageUrls)
{
    EXPECT_EQ(DdeCommandName("[ViewFolder(\"%l\", %I, %S)]"), "ViewFolder");
    EXPECT_EQ(DdeCommandName("no bracket"), "");
    EXPECT_EQ(DdeCommandName("[NoParenthesis]"), "NoParenthesis]");
    EXPECT_EQ(HtmlExecuteUrl("\"http://127.0.0.1/a\",,-1,,,,,"), "http://127.0.0.1/a");
    EXPECT_EQ(HtmlExecuteUrl("http://127.0.0.1/a,b"), "http://127.0.0.1/a,b");
    EXPECT_EQ(HtmlExecuteUrl("\"unterminated"), "unterminated");
    EXPECT_EQ(HtmlExecuteUrl(""), "");
}

TEST(DdeShellCommands, FolderCommandsGiveKindPathItemListAndShowCommand)
{
    FolderCommand open = ParseFolderCommand("[ViewFolder(\"/home/u/Documents\", 1234, 3)]", kNames);
    EXPECT_EQ(open.kind, FolderCommandKind::Open);
    EXPECT_EQ(open.path, "/home/u/Documents");
    ASSERT_TRUE(open.itemList);
    EXPECT_EQ(*open.itemList, 1234);
    EXPECT_EQ(open.itemListProcess, 0);
    EXPECT_EQ(open.showCommand, 3);

    FolderCommand shared = ParseFolderCommand("[ExploreFolder(\"\", :5678:910, 1)]", kNames);
    EXPECT_EQ(shared.kind, FolderCommandKind::Explore);
    EXPECT_EQ(shared.path, "");
    EXPECT_EQ(shared.itemList, 5678);
    EXPECT_EQ(shared.itemListProcess, 910);

    FolderCommand find = ParseFolderCommand("[FindFolder(\"/tmp\", 7)]", kNames);
    EXPECT_EQ(find.kind, FolderCommandKind::Find);
    EXPECT_EQ(find.showCommand, 1) << "fewer than two commas";

    EXPECT_EQ(ParseFolderCommand("[Other(\"/tmp\", 1, 1)]", kNames).kind, FolderCommandKind::None);
    EXPECT_EQ(ParseFolderCommand("[viewfolder(\"/tmp\", 1, 1)]", kNames).kind, FolderCommandKind::None)
        << "exact comparison";
    EXPECT_FALSE(ParseFolderCommand("[ViewFolder(\"/tmp\", x)]", kNames).itemList);
    EXPECT_EQ(ParseFolderCommand("[ViewFolder(\"/tmp\", x, 2)]", kNames).itemList, 2)
        << "the first number after the first comma, wherever it stands";
    EXPECT_FALSE(ParseFolderCommand("[ViewFolder(\"/tmp\", 99999999999999999999999, 1)]", kNames).itemList)
        << "an overflowing number names nothing";
    EXPECT_EQ(ParseFolderCommand("[ViewFolder(\"/tmp\", 5, x)]", kNames).showCommand, 1);
}

TEST(ShellItemListTable, HandsOutNumbersAndNeverReadsPastAList)
{
    ShellItemListTable table;
    const ItemIdList list{4, 0, 'a', 'b', 0, 0, 0xEE}; // one item, end mark, trailing byte
    EXPECT_EQ(ItemIdListSize(list), 6u);
    EXPECT_FALSE(ItemIdListSize({4, 0, 'a', 'b'})) << "no end mark";
    EXPECT_FALSE(ItemIdListSize({1, 0, 0, 0})) << "an item shorter than its size field";
    const std::int64_t number = table.Add(list);
    EXPECT_FALSE(table.Take(number + 1)) << "a number this process did not hand out";
    auto taken = table.Take(number);
    ASSERT_TRUE(taken);
    EXPECT_EQ(*taken, (ItemIdList{4, 0, 'a', 'b', 0, 0}));
    EXPECT_FALSE(table.Take(number)) << "taken once";
    EXPECT_FALSE(table.Take(table.Add({9, 0, 1}))) << "a malformed list is refused";
}
