#include "classlib/core/StringList.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "../../support/ExceptionMessage.h"
#include "../../support/TempFolder.h"

namespace {

using Lines = std::vector<std::string>;

Lines Items(const TStrings& list) {
    Lines result;
    for (int i = 0; i < list.Count(); ++i)
        result.push_back(list.Strings(i));
    return result;
}

void Fill(TStringList& list, const Lines& lines) {
    for (const auto& s : lines)
        list.Add(s);
}

}  // namespace

TEST(TStringList, EditingKeepsObjectsAndChecksBounds) {
    int a = 0;
    TStringList list;
    list.AddObject("one", &a);
    list.Add("three");
    list.Insert(1, "two");
    list.Put(0, "ONE");
    EXPECT_EQ(list.Objects(0), &a);  // Put keeps the object
    EXPECT_EQ(list.IndexOf("three"), 2);  // case-insensitive by default
    EXPECT_EQ(testsupport::MessageOf<EListError>([&] { list.Strings(3); }), "List index out of bounds (3)");
    EXPECT_EQ(testsupport::MessageOf<EListError>([&] { list.Objects(-1); }), "List index out of bounds (-1)");
    EXPECT_THROW(list.SetCapacity(2), EListError);
    EXPECT_EQ(Items(list), (Lines{"ONE", "two", "three"}));
}

TEST(TStringList, TextAndCommaTextReadAnyInput) {
    TStringList list;
    // LF then CR is two line ends, unlike CR LF.
    const std::pair<std::string, Lines> texts[] = {
        {"one\r\ntwo\nthree\rfour", {"one", "two", "three", "four"}},
        {"\n\r", {"", ""}},
        {std::string("n\0ul\n", 5), {std::string("n\0ul", 4)}}};
    for (const auto& [text, lines] : texts) {
        list.SetText(text);
        EXPECT_EQ(Items(list), lines) << text;
    }
    EXPECT_EQ(list.Text(), std::string("n\0ul\r\n", 6));

    // An unterminated quote runs to the end; text after a closing quote starts a new item.
    const std::pair<const char*, Lines> reads[] = {
        {"\t a,\t\"b, c\" ", {"a", "b, c"}}, {"a,,b", {"a", "", "b"}}, {"a, ", {"a"}},
        {"\"ab\"\"", {"ab\""}},             {"\"", {""}},             {"\"a\"b,c", {"a", "b", "c"}}};
    for (const auto& [text, lines] : reads) {
        list.SetCommaText(text);
        EXPECT_EQ(Items(list), lines) << text;
    }
    TStringList tricky;
    Fill(tricky, {"", " lead", "\"", "a,b", "tab\there", "\"\"", "\x01"});
    list.SetCommaText(tricky.CommaText());
    EXPECT_TRUE(list.Equals(tricky));
}

TEST(TStringList, SortedListsFindInsertAndRefuseDuplicates) {
    int object = 0;
    TStringList list;
    list.SetSorted(true);
    Fill(list, {"m", "b", "z"});
    EXPECT_EQ(list.AddObject("B", &object), 0);  // ignored: the index of the one present
    EXPECT_EQ(list.Objects(0), nullptr);
    int index = -1;
    EXPECT_FALSE(list.Find("c", index));
    EXPECT_EQ(index, 1);  // where it would go
    TStringList equal;
    equal.SetSorted(true);
    equal.SetDuplicates(dupAccept);
    Fill(equal, {"b", "c", "B", "a", "b", "b"});
    EXPECT_TRUE(equal.Find("b", index));
    EXPECT_EQ(index, 1);  // the first of equal strings
    list.SetDuplicates(dupError);
    EXPECT_EQ(testsupport::MessageOf<EListError>([&] { list.Add("M"); }), "String list does not allow duplicates");
    EXPECT_EQ(testsupport::MessageOf<EListError>([&] { list.Insert(0, "a"); }), "Operation not allowed on sorted list");
    list.SetCaseSensitive(true);  // "B" is another string and sorts before "b"
    EXPECT_EQ(list.Add("B"), 0);

    // Letters fold to upper case, so "_" follows them; bytes above 127 come last.
    TStringList order;
    Fill(order, {"b", "_", "\xE9", "ab", "a"});
    order.Sort();
    EXPECT_EQ(Items(order), (Lines{"a", "ab", "b", "_", "\xE9"}));
}

TEST(TStringList, SortIsStable) {
    static int objects[40];  // enough equal strings that an unstable sort would show
    TStringList list;
    for (int i = 0; i < 40; ++i)
        list.AddObject(i % 2 ? "KEY" : "key", &objects[39 - i]);
    list.AddObject("a", nullptr);
    list.Sort();
    EXPECT_EQ(list.Strings(0), "a");
    for (int i = 1; i <= 40; ++i)
        EXPECT_EQ(list.Objects(i), &objects[40 - i]) << i;
}

TEST(TStringList, AssignCopiesStringsAndObjects) {
    int object = 0;
    TStringList source;
    Fill(source, {"b", "a"});
    source.PutObject(1, &object);
    TStringList copy;
    copy.Assign(source);
    copy.Assign(copy);
    EXPECT_EQ(Items(copy), (Lines{"b", "a"}));
    EXPECT_EQ(copy.Objects(1), &object);
    // The rest of the Assign protocol is proven by the bitmap and JPEG tests.
    EXPECT_EQ(testsupport::MessageOf<EConvertError>([&] { copy.Assign(nullptr); }),
              "Cannot assign a nil to a TStringList");
}

TEST(TStringList, FileRoundTripAndAFailedLoadLeavesTheListAlone) {
    TStringList list;
    Fill(list, {"first", "", "  spaced  ", "\xC4\xE9"});
    const testsupport::TTempFolder dir;
    const std::string file = dir.Path() + "list.txt";
    list.SaveToFile(file);
    TStringList fromFile;
    fromFile.LoadFromFile(file);
    std::remove(file.c_str());
    EXPECT_TRUE(fromFile.Equals(list));
    EXPECT_THROW(fromFile.LoadFromFile(file), EFOpenError);
    EXPECT_TRUE(fromFile.Equals(list));  // a failed load leaves the list alone
}
