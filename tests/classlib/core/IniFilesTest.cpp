#include "classlib/core/IniFiles.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <utility>

#include "TempFile.h"

#include "classlib/core/StringList.h"

namespace {

using Lines = std::vector<std::string>;

Lines Items(const TStrings& list) {
    std::vector<std::string> result;
    for (int i = 0; i < list.Count(); ++i)
        result.push_back(list.Strings(i));
    return result;
}

void Load(TMemIniFile& ini, const std::string& text) {
    TStringList lines;
    lines.SetText(text);
    ini.SetStrings(lines);
}

std::string Dump(const TMemIniFile& ini) {
    TStringList lines;
    ini.GetStrings(lines);
    return lines.Text();
}


}  // namespace

TEST(TMemIniFile, ParsingSkipsWhatItCannotUse) {
    TMemIniFile ini("");
    Load(ini,
         "orphan=before any section\r\n"
         "; comment\r\n"
         "\r\n"
         "  [ Main ]  \r\n"
         "  Width =  640  \r\n"
         "no equals sign here\r\n"
         "; Width=1\r\n"
         "Path=a=b=c\r\n"
         "[broken\r\n"
         "Empty=\r\n"
         "=nameless\r\n"
         "[Other]\r\n"
         "x=1\r\n");
    EXPECT_EQ(Dump(ini),
              "[Main]\r\nWidth=640\r\nPath=a=b=c\r\nEmpty=\r\n=nameless\r\n\r\n"
              "[Other]\r\nx=1\r\n");
    EXPECT_EQ(ini.ReadString("main", "width", "?"), "640");
    EXPECT_EQ(ini.ReadString("MAIN", "PATH", "?"), "a=b=c");
    EXPECT_EQ(ini.ReadString("Main", "Empty", "?"), "");  // present, empty
    EXPECT_EQ(ini.ReadString("Main", "missing", "?"), "?");
    EXPECT_EQ(ini.ReadString("missing", "Width", "?"), "?");
    EXPECT_FALSE(ini.ValueExists("Main", "orphan"));
}

TEST(TMemIniFile, DuplicateSectionsMergeAndFirstKeyWins) {
    TMemIniFile ini("");
    Load(ini, "[A]\nk=1\n[B]\nb=2\n[a]\nK=3\nj=4\n");
    TStringList list;
    ini.ReadSections(list);
    EXPECT_EQ(Items(list), (Lines{"A", "B"}));
    ini.ReadSectionValues("A", list);
    EXPECT_EQ(Items(list), (Lines{"k=1", "j=4"}));
}

TEST(TMemIniFile, TruncatedAndCorruptTextNeverFails) {
    const char* inputs[] = {"[", "]", "[]", "=", "[[]]\n=", "[S", "[S]\n=", "[S]\nk",
                            "\x01\x02[\xFF]=\x00", "[S]\nk=\"unterminated"};
    for (const char* text : inputs) {
        TMemIniFile ini("");
        EXPECT_NO_THROW(Load(ini, text)) << text;
        EXPECT_NO_THROW(Dump(ini)) << text;
    }
    TMemIniFile ini("");
    Load(ini, "[]\n=v\n[[x]]\nk=\"q\"");
    EXPECT_EQ(ini.ReadString("", "", "?"), "v");
    EXPECT_EQ(ini.ReadString("[x]", "k", "?"), "\"q\"");  // quotes are kept
}

TEST(TMemIniFile, TypedReadsFallBackToDefaults) {
    TMemIniFile ini("");
    Load(ini,
         "[N]\nhex=$10\ncx=0x1F\nneg=-7\nbad=12abc\nblank=\n"
         "zero=0\ntwo=2\nword=yes\nf=1.5\nfe=-2.5E3\nfbad=1,5\n");
    const std::pair<const char*, int> ints[] = {{"hex", 16}, {"cx", 31}, {"neg", -7}, {"bad", 99}, {"blank", 99},
                                                {"missing", 99}};
    for (const auto& [key, value] : ints)
        EXPECT_EQ(ini.ReadInteger("N", key, 99), value) << key;
    for (bool def : {false, true}) {
        EXPECT_FALSE(ini.ReadBool("N", "zero", def));
        EXPECT_TRUE(ini.ReadBool("N", "two", def));
        EXPECT_TRUE(ini.ReadBool("N", "neg", def));
        EXPECT_EQ(ini.ReadBool("N", "word", def), def);
        EXPECT_EQ(ini.ReadBool("N", "missing", def), def);
    }
    const std::pair<const char*, double> floats[] = {{"f", 1.5}, {"fe", -2500.0}, {"fbad", 9.25}, {"missing", 9.25}};
    for (const auto& [key, value] : floats)
        EXPECT_DOUBLE_EQ(ini.ReadFloat("N", key, 9.25), value) << key;
}

TEST(TMemIniFile, WritesKeepOrderAndSpelling) {
    TMemIniFile ini("");
    Load(ini, "[Main]\nWidth=640\nHeight=480\n");
    ini.WriteInteger("MAIN", "WIDTH", 800);
    ini.WriteBool("Main", "Full", true);
    ini.WriteBool("Main", "Sound", false);
    ini.WriteFloat("Scene", "Speed", 0.25);
    ini.WriteString("Scene", "Name", "a = b");
    EXPECT_EQ(Dump(ini),
              "[Main]\r\nWidth=800\r\nHeight=480\r\nFull=1\r\nSound=0\r\n\r\n"
              "[Scene]\r\nSpeed=0.25\r\nName=a = b\r\n");
    EXPECT_TRUE(ini.ReadBool("Main", "Full", false));
    EXPECT_DOUBLE_EQ(ini.ReadFloat("Scene", "Speed", 0), 0.25);
}

TEST(TMemIniFile, SectionOperations) {
    TMemIniFile ini("");
    Load(ini, "[A]\nx=1\ny=2\n[B]\nz=3\n[Empty]\n");
    EXPECT_TRUE(ini.SectionExists("empty"));
    EXPECT_FALSE(ini.SectionExists("C"));
    EXPECT_TRUE(ini.ValueExists("a", "Y"));
    EXPECT_FALSE(ini.ValueExists("a", "z"));

    TStringList list;
    list.Add("stale");
    ini.ReadSection("A", list);
    EXPECT_EQ(Items(list), (Lines{"x", "y"}));
    ini.ReadSection("missing", list);
    EXPECT_EQ(list.Count(), 0);

    ini.DeleteKey("a", "X");
    ini.DeleteKey("a", "nothing");
    ini.DeleteKey("nothing", "y");
    ini.ReadSectionValues("A", list);
    EXPECT_EQ(Items(list), (Lines{"y=2"}));

    ini.EraseSection("b");
    ini.EraseSection("nothing");
    ini.ReadSections(list);
    EXPECT_EQ(Items(list), (Lines{"A", "Empty"}));

    ini.Clear();
    ini.ReadSections(list);
    EXPECT_EQ(list.Count(), 0);
}

TEST(TMemIniFile, FileRoundTrip) {
    TempFile file("round.ini");
    {
        TMemIniFile ini(file.Path());
        EXPECT_EQ(Dump(ini), "");  // a missing file is an empty INI
        ini.WriteString("Display", "Mode", "640x480");
        ini.WriteInteger("Display", "Depth", 32);
        ini.WriteString("Fish", "Count", "12");
        ini.UpdateFile();
    }
    TStringList raw;
    raw.LoadFromFile(file.Path());
    EXPECT_EQ(raw.Text(), "[Display]\r\nMode=640x480\r\nDepth=32\r\n\r\n[Fish]\r\nCount=12\r\n");

    TMemIniFile back(file.Path());
    EXPECT_EQ(back.ReadString("display", "mode", ""), "640x480");
    EXPECT_EQ(back.ReadInteger("DISPLAY", "depth", 0), 32);
    EXPECT_EQ(back.ReadInteger("fish", "count", 0), 12);

    // Renaming without reload keeps the content; with reload takes the file's.
    TempFile other("other.ini");
    back.Rename(other.Path(), false);
    EXPECT_EQ(back.ReadInteger("Fish", "Count", 0), 12);
    back.UpdateFile();
    TMemIniFile fresh("");
    fresh.WriteString("X", "y", "z");
    fresh.Rename(other.Path(), true);
    EXPECT_EQ(fresh.FileName(), other.Path());
    EXPECT_EQ(Dump(fresh), Dump(back));
    fresh.Rename(other.Path() + ".none", true);
    EXPECT_EQ(Dump(fresh), "");
}

TEST(TMemIniFile, UpdateFileWithoutFolderRaises) {
    TMemIniFile ini(TempFile("nofolder").Path() + "/sub/x.ini");
    ini.WriteString("a", "b", "c");
    EXPECT_THROW(ini.UpdateFile(), EFCreateError);
}
