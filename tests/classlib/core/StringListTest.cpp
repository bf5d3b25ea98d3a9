#include "classlib/core/StringList.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <tuple>

#include "TempFile.h"
#include "classlib/core/Streams.h"

namespace {

std::vector<std::string> Items(const TStrings& list) {
    std::vector<std::string> result;
    for (int i = 0; i < list.Count(); ++i)
        result.push_back(list.Strings(i));
    return result;
}

using Lines = std::vector<std::string>;

TStringList* Make(const Lines& lines, TStringList& list) {
    for (const auto& s : lines)
        list.Add(s);
    return &list;
}

Lines FromCommaText(const std::string& text) {
    TStringList list;
    list.SetCommaText(text);
    return Items(list);
}

std::string ToCommaText(const Lines& lines) {
    TStringList list;
    Make(lines, list);
    return list.CommaText();
}

template <class Action>
std::string ListErrorOf(Action action) {
    try {
        action();
    } catch (const EListError& e) {
        return e.Message;
    }
    return "no EListError";
}

}  // namespace

TEST(TStringList, EditingAndObjects) {
    int a = 0, b = 0;
    TStringList list;
    EXPECT_EQ(list.Add("one"), 0);
    EXPECT_EQ(list.AddObject("three", &b), 1);
    list.Insert(1, "two");
    list.PutObject(0, &a);
    EXPECT_EQ(Items(list), (Lines{"one", "two", "three"}));
    EXPECT_EQ(list.Objects(0), &a);
    EXPECT_EQ(list.Objects(1), nullptr);
    list.Put(2, "THREE");
    EXPECT_EQ(list.Objects(2), &b);  // Put keeps the object
    list.Delete(0);
    EXPECT_EQ(Items(list), (Lines{"two", "THREE"}));
    EXPECT_EQ(list.IndexOf("three"), 1);  // case-insensitive by default
    list.SetCaseSensitive(true);
    EXPECT_EQ(list.IndexOf("three"), -1);

    EXPECT_EQ(ListErrorOf([&] { list.Strings(2); }), "List index out of bounds (2)");
    EXPECT_EQ(ListErrorOf([&] { list.Objects(-1); }), "List index out of bounds (-1)");
    EXPECT_EQ(ListErrorOf([&] { list.Put(5, "x"); }), "List index out of bounds (5)");
    EXPECT_EQ(ListErrorOf([&] { list.Insert(3, "x"); }), "List index out of bounds (3)");
    EXPECT_EQ(ListErrorOf([&] { list.Delete(2); }), "List index out of bounds (2)");
    list.Clear();
    EXPECT_EQ(list.Count(), 0);

    list.SetCapacity(50);
    EXPECT_GE(list.Capacity(), 50);
    Make({"a", "b", "c"}, list);
    EXPECT_THROW(list.SetCapacity(2), EListError);
    EXPECT_EQ(Items(list), (Lines{"a", "b", "c"}));
}

TEST(TStringList, NameValuePairs) {
    TStringList list;
    Make({"Width=640", "plain", "Path=C:\\a=b", "empty=", "width=800"}, list);
    EXPECT_EQ(list.IndexOfName("WIDTH"), 0);  // the first one
    EXPECT_EQ(list.IndexOfName("plain"), -1);
    EXPECT_EQ(list.Names(0), "Width");
    EXPECT_EQ(list.Names(1), "");
    EXPECT_EQ(list.Values("path"), "C:\\a=b");  // split at the first "="
    EXPECT_EQ(list.ValueFromIndex(2), "C:\\a=b");
    EXPECT_EQ(list.ValueFromIndex(1), "");
    EXPECT_EQ(list.Values("empty"), "");
    EXPECT_EQ(list.Values("missing"), "");

    list.SetValue("width", "1024");
    EXPECT_EQ(list.Strings(0), "width=1024");
    list.SetValue("Height", "480");
    EXPECT_EQ(list.Strings(5), "Height=480");
    list.SetValue("WIDTH", "");  // deletes the first pair only
    EXPECT_EQ(Items(list), (Lines{"plain", "Path=C:\\a=b", "empty=", "width=800", "Height=480"}));
    list.SetValue("nothing", "");
    EXPECT_EQ(list.Count(), 5);
}

TEST(TStringList, TextJoinsWithCrLfAndSplitsAnyLineEnd) {
    TStringList list;
    Make({"a", "", "b"}, list);
    EXPECT_EQ(list.Text(), "a\r\n\r\nb\r\n");

    // LF then CR is two line ends, unlike CR LF.
    const std::pair<std::string, Lines> cases[] = {
        {"one\r\ntwo\nthree\rfour", {"one", "two", "three", "four"}}, {"a\r\n", {"a"}}, {"", {}},
        {"\r\n\r\n", {"", ""}}, {"\n\r", {"", ""}}, {"x\r\r\ny", {"x", "", "y"}},
        {std::string("n\0ul\n", 5), {std::string("n\0ul", 4)}}};
    for (const auto& [text, lines] : cases) {
        list.SetText(text);
        EXPECT_EQ(Items(list), lines) << text;
    }
}

TEST(TStringList, CommaTextReadingAndWriting) {
    // Malformed input: an unterminated quote runs to the end; text after a
    // closing quote starts a new item.
    const std::pair<const char*, Lines> reads[] = {
        {"a b", {"a", "b"}}, {"\"a b\",c", {"a b", "c"}}, {"a,,b", {"a", "", "b"}}, {"\"x\"\"y\"", {"x\"y"}},
        {"  a , b  ", {"a", "b"}}, {"\t a,\t\"b, c\" ", {"a", "b, c"}}, {"", {}}, {"   ", {}}, {",a", {"", "a"}},
        {"a,", {"a", ""}}, {"a, ", {"a"}}, {"\"\"", {""}}, {"\"abc", {"abc"}}, {"\"ab\"\"", {"ab\""}},
        {"\"", {""}}, {"\"a\"b,c", {"a", "b", "c"}}};
    for (const auto& [text, lines] : reads)
        EXPECT_EQ(FromCommaText(text), lines) << text;

    EXPECT_EQ(ToCommaText({"a b", "c", "", "x\"y", "p,q", "plain"}), "\"a b\",c,\"\",\"x\"\"y\",\"p,q\",plain");
    EXPECT_EQ(ToCommaText({}), "");
    Lines tricky{"", " lead", "trail ", "\"", "a,b", "tab\there", "x", "\"\"", "\x01"};
    EXPECT_EQ(FromCommaText(ToCommaText(tricky)), tricky);
}

TEST(TStringList, DelimitedTextUsesDelimiterAndQuoteChar) {
    TStringList list;
    list.Delimiter = ';';
    list.QuoteChar = '\'';
    list.SetDelimitedText("a;'b;c';'it''s' ,d,e");
    EXPECT_EQ(Items(list), (Lines{"a", "b;c", "it's", ",d,e"}));
    EXPECT_EQ(list.DelimitedText(), "a;'b;c';'it''s';,d,e");
    EXPECT_EQ(list.CommaText(), "a,b;c,it's,\",d,e\"");
}

TEST(TStringList, SortedAddAndFind) {
    TStringList list;
    list.SetSorted(true);
    list.SetDuplicates(dupAccept);
    for (const char* s : {"m", "b", "M", "z", "a", "m"})
        list.Add(s);
    EXPECT_EQ(Items(list), (Lines{"a", "b", "m", "M", "m", "z"}));  // equal ones in order of arrival

    // Found: the first of the equal strings; not found: where it would go.
    const std::tuple<const char*, bool, int> finds[] = {
        {"M", true, 2}, {"a", true, 0}, {"c", false, 2}, {"0", false, 0}, {"zz", false, 6}};
    int index = -1;
    for (const auto& [text, found, at] : finds) {
        EXPECT_EQ(list.Find(text, index), found) << text;
        EXPECT_EQ(index, at) << text;
    }
    EXPECT_EQ(list.IndexOf("Z"), 5);
    EXPECT_EQ(list.IndexOf("q"), -1);

    TStringList empty;
    empty.SetSorted(true);
    EXPECT_FALSE(empty.Find("x", index));
    EXPECT_EQ(index, 0);
}

TEST(TStringList, DuplicatesWhileSorted) {
    int object = 0;
    TStringList list;
    list.SetSorted(true);
    EXPECT_EQ(list.Duplicates(), dupIgnore);
    list.Add("b");
    list.Add("d");
    EXPECT_EQ(list.AddObject("B", &object), 0);  // ignored: the index of the one present
    EXPECT_EQ(Items(list), (Lines{"b", "d"}));
    EXPECT_EQ(list.Objects(0), nullptr);

    list.SetDuplicates(dupError);
    EXPECT_EQ(ListErrorOf([&] { list.Add("D"); }), "String list does not allow duplicates");
    EXPECT_EQ(list.Add("c"), 1);
    EXPECT_EQ(Items(list), (Lines{"b", "c", "d"}));

    // Case-sensitive: "B" is another string and sorts before "b".
    list.SetCaseSensitive(true);
    EXPECT_EQ(list.Add("B"), 0);
    EXPECT_EQ(Items(list), (Lines{"B", "b", "c", "d"}));

    EXPECT_EQ(ListErrorOf([&] { list.Insert(0, "a"); }), "Operation not allowed on sorted list");
    EXPECT_EQ(ListErrorOf([&] { list.Put(0, "a"); }), "Operation not allowed on sorted list");
    EXPECT_EQ(Items(list), (Lines{"B", "b", "c", "d"}));
}

TEST(TStringList, SortOrder) {
    int objects[4];
    TStringList list;
    list.AddObject("b", &objects[0]);
    list.AddObject("_", &objects[1]);
    list.AddObject("A", &objects[2]);
    list.AddObject("a", &objects[3]);
    list.Add("\xE9");
    list.Add("ab");
    list.SetSorted(true);
    // Letters fold to upper case, so "_" (0x5F) follows them; bytes above 127
    // come last; equal strings keep their order.
    EXPECT_EQ(Items(list), (Lines{"A", "a", "ab", "b", "_", "\xE9"}));
    EXPECT_EQ(list.Objects(0), &objects[2]);
    EXPECT_EQ(list.Objects(3), &objects[0]);

    list.SetCaseSensitive(true);  // a sorted list re-sorts
    EXPECT_EQ(Items(list), (Lines{"A", "_", "a", "ab", "b", "\xE9"}));
    EXPECT_EQ(list.Objects(1), &objects[1]);

    list.SetSorted(false);
    list.Add("0");
    list.Sort();
    EXPECT_EQ(list.Strings(0), "0");

    list.CustomSort([](const TStringList& l, int a, int b) {
        return static_cast<int>(l.Strings(b).size()) - static_cast<int>(l.Strings(a).size());
    });
    EXPECT_EQ(list.Strings(0), "ab");
    list.SetSorted(true);
    EXPECT_THROW(list.CustomSort([](const TStringList&, int, int) { return 0; }), EListError);
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

TEST(TStringList, OnChangeAndUpdates) {
    TStringList list;
    int changes = 0;
    TObject* sender = nullptr;
    list.OnChange = [&](TObject* s) {
        ++changes;
        sender = s;
    };
    list.Add("a");
    list.PutObject(0, nullptr);
    list.Delete(0);
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(sender, &list);
    list.Clear();  // already empty: nothing changes
    EXPECT_EQ(changes, 3);

    list.BeginUpdate();
    list.BeginUpdate();
    list.Add("a");
    list.Add("b");
    list.EndUpdate();
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(list.UpdateCount(), 1);
    list.EndUpdate();
    EXPECT_EQ(changes, 4);
    list.EndUpdate();  // unbalanced: ignored
    EXPECT_EQ(list.UpdateCount(), 0);

    list.SetText("x\ny\nz");
    list.SetCommaText("1,2");
    EXPECT_EQ(changes, 6);  // one each
}

TEST(TStringList, AssignAddStringsAndEquals) {
    int object = 0;
    TStringList source;
    Make({"b", "a"}, source);
    source.PutObject(1, &object);

    TStringList copy;
    copy.Add("old");
    copy.Assign(source);
    EXPECT_EQ(Items(copy), (Lines{"b", "a"}));
    EXPECT_EQ(copy.Objects(1), &object);
    EXPECT_TRUE(copy.Equals(source));
    copy.Assign(copy);
    EXPECT_TRUE(copy.Equals(source));

    copy.AddStrings(copy);  // doubles itself
    EXPECT_EQ(Items(copy), (Lines{"b", "a", "b", "a"}));
    EXPECT_FALSE(copy.Equals(source));

    TStringList upper;
    EXPECT_FALSE(Make({"B", "a"}, upper)->Equals(source));  // exact comparison

    TStringList sorted;
    sorted.SetSorted(true);
    sorted.Assign(&source);  // through TPersistent
    EXPECT_EQ(Items(sorted), (Lines{"a", "b"}));
    EXPECT_EQ(sorted.Objects(0), &object);

    try {
        sorted.Assign(nullptr);
        FAIL() << "no EConvertError";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message, "Cannot assign a nil to a TStringList");
    }
    TPersistent other;
    EXPECT_THROW(sorted.Assign(&other), EConvertError);
    EXPECT_EQ(sorted.Count(), 2);
}

TEST(TStringList, StreamAndFileRoundTrip) {
    TStringList list;
    Make({"first", "", "  spaced  ", "x=y", "\xC4\xE9"}, list);

    TMemoryStream stream;
    stream.WriteBuffer("head", 4);
    list.SaveToStream(stream);
    EXPECT_EQ(stream.Size(), 4 + static_cast<int64_t>(list.Text().size()));
    stream.SetPosition(4);  // loading reads from the position on
    TStringList back;
    back.LoadFromStream(stream);
    EXPECT_TRUE(back.Equals(list));

    TempFile file("list.txt");
    const std::string& path = file.Path();
    list.SaveToFile(path);
    TStringList fromFile;
    fromFile.LoadFromFile(path);
    std::filesystem::remove(path);
    EXPECT_TRUE(fromFile.Equals(list));
    EXPECT_THROW(fromFile.LoadFromFile(path), EFOpenError);
    EXPECT_TRUE(fromFile.Equals(list));  // a failed load leaves the list alone
}
