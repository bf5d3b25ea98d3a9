#include "classlib/core/IniFiles.h"

#include <gtest/gtest.h>

#include "../../support/TempFolder.h"
#include "classlib/core/StringList.h"

namespace {

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

TEST(TMemIniFile, ParsingSkipsWhatItCannotUseAndMergesDuplicateSections) {
    TMemIniFile ini("");
    Load(ini,
         "orphan=before any section\r\n"
         "; comment\r\n"
         "  [ Main ]  \r\n"
         "  Width =  640  \r\n"
         "no equals sign here\r\n"
         "Path=a=b=c\r\n"
         "[broken\r\n"
         "=nameless\r\n"
         "[main]\r\n"
         "WIDTH=1\r\n"
         "x=1\r\n");
    EXPECT_EQ(Dump(ini), "[Main]\r\nWidth=640\r\nPath=a=b=c\r\n=nameless\r\nx=1\r\n");
    EXPECT_EQ(ini.ReadString("MAIN", "PATH", "?"), "a=b=c");

    // Truncated and corrupt text never fails.
    for (const char* text : {"[", "[]\n=", "[[]]\n=", "[S", "[S]\nk", "\x01\x02[\xFF]=\x00", "[S]\nk=\"open"}) {
        TMemIniFile other("");
        EXPECT_NO_THROW(Load(other, text)) << text;
        EXPECT_NO_THROW(Dump(other)) << text;
    }
}

TEST(TMemIniFile, TypedReadsFallBackToDefaultsAndWritesKeepOrderAndSpelling) {
    TMemIniFile ini("");
    Load(ini, "[N]\nhex=$10\nbad=12abc\nword=yes\nfbad=1,5\n");
    EXPECT_EQ(ini.ReadInteger("N", "hex", 99), 16);
    EXPECT_EQ(ini.ReadInteger("N", "bad", 99), 99);
    EXPECT_FALSE(ini.ReadBool("N", "word", false));
    EXPECT_DOUBLE_EQ(ini.ReadFloat("N", "fbad", 9.25), 9.25);

    Load(ini, "[Main]\nWidth=640\nHeight=480\n");
    ini.WriteInteger("MAIN", "WIDTH", 800);
    ini.WriteFloat("Scene", "Speed", 0.25);
    EXPECT_EQ(Dump(ini), "[Main]\r\nWidth=800\r\nHeight=480\r\n\r\n[Scene]\r\nSpeed=0.25\r\n");
}

// Keys and sections after an erased one are still found, written in place
// and in order.
TEST(TMemIniFile, ErasingLeavesTheRestFoundInOrder) {
    TMemIniFile ini("");
    Load(ini, "[A]\na=1\nb=2\nc=3\n[B]\nx=1\n[C]\ny=2\n");
    ini.DeleteKey("a", "A");
    ini.EraseSection("b");
    EXPECT_EQ(ini.ReadString("A", "C", "?"), "3");
    EXPECT_EQ(ini.ReadString("c", "Y", "?"), "2");
    ini.WriteString("A", "B", "two");
    ini.WriteString("C", "z", "3");
    ini.WriteString("B", "x", "new");
    EXPECT_EQ(Dump(ini), "[A]\r\nb=two\r\nc=3\r\n\r\n[C]\r\ny=2\r\nz=3\r\n\r\n[B]\r\nx=new\r\n");
}

TEST(TMemIniFile, FileRoundTripAndMissingFolder) {
    const testsupport::TTempFolder dir;
    const std::string file = dir.Path() + "round.ini";
    {
        TMemIniFile ini(file);
        EXPECT_EQ(Dump(ini), "");  // a missing file is an empty INI
        ini.WriteString("Display", "Mode", "640x480");
        ini.WriteInteger("Fish", "Count", 12);
        ini.UpdateFile();
    }
    TStringList raw;
    raw.LoadFromFile(file);
    EXPECT_EQ(raw.Text(), "[Display]\r\nMode=640x480\r\n\r\n[Fish]\r\nCount=12\r\n");
    EXPECT_EQ(TMemIniFile(file).ReadInteger("fish", "count", 0), 12);

    TMemIniFile ini(dir.Path() + "sub/x.ini");
    ini.WriteString("a", "b", "c");
    EXPECT_THROW(ini.UpdateFile(), EFCreateError);
}
