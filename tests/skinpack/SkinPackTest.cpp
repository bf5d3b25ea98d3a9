#include <gtest/gtest.h>

#include <sstream>

#include "../support/TempFolder.h"
#include "SkinPack.h"
#include "classlib/core/FormParser.h"
#include "classlib/core/IniFiles.h"
#include "skin/core/StoredSkinFormat.h"
#include "skin/core/ZlibStreams.h"

namespace {

const std::string Fixtures = SKIN_FIXTURES_DIR;
const std::string TestSkin = Fixtures + "/TestSkin";

std::string ReadFile(const std::string& fileName)
{
    std::ifstream in(fileName, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct TRun {
    int Code;
    std::string Errors;
};

TRun Pack(const std::vector<std::string>& args)
{
    std::ostringstream errors;
    const int code = RunSkinPack(args, errors);
    return {code, errors.str()};
}

const TFormValue& PropertyValue(const TFormObject& object, const std::string& name)
{
    for (const TFormProperty& property : object.Properties)
        if (property.Name == name)
            return property.Value;
    throw Exception("no property " + name);
}

}  // namespace

// The committed block is what the packer makes of the committed skin
// folder, byte for byte.
TEST(SkinPack, ReproducesTheCommittedBlock)
{
    testsupport::TTempFolder temp;
    const TRun run = Pack({TestSkin, "-o", temp.Path() + "block.txt"});
    ASSERT_EQ(run.Code, 0) << run.Errors;
    EXPECT_EQ(temp.Read("block.txt"), ReadFile(Fixtures + "/StoredSkin.txt"));
}

// The compressed block carries the payload of the BMP-only skin; a JPEG is
// not accepted on that path.
TEST(SkinPack, CompressedBlockHoldsThePayload)
{
    testsupport::TTempFolder temp;
    const TRun run = Pack({"--compressed", "--name", "Packed", TestSkin + "/BmpSkin.ini", "-o", temp.Path() + "c.txt"});
    ASSERT_EQ(run.Code, 0) << run.Errors;
    const TFormObject block = ParseFormDescription(temp.Read("c.txt"));
    EXPECT_EQ(block.Name, "Packed");
    EXPECT_EQ(block.ClassName, "TspCompressedStoredSkin");
    EXPECT_EQ(FormValueToString(PropertyValue(block, "FileName")), "BmpSkin.ini");

    const std::string& data = PropertyValue(block, "CompressedData").Text;
    TMemoryStream packed, payload;
    packed.WriteBuffer(data.data(), static_cast<int64_t>(data.size()));
    DecompressStream(payload, packed);
    payload.SetPosition(0);
    TspSkinPictures pictures, expected;
    TStringList ini, expectedIni;
    ASSERT_TRUE(ReadCompressedSkinPayload(payload, pictures, ini));
    LoadStoredSkinFromFile(TestSkin + "/BmpSkin.ini", expectedIni, expected);
    EXPECT_TRUE(ini.Equals(expectedIni));
    EXPECT_EQ(pictures.Mask.Bits, expected.Mask.Bits);
    EXPECT_EQ(pictures.RollupMask.Palette, expected.RollupMask.Palette);
    ASSERT_EQ(pictures.ActivePictures.size(), 1u);
    EXPECT_EQ(pictures.ActivePictures[0].Bits, expected.ActivePictures[0].Bits);

    const TRun jpeg = Pack({"--compressed", TestSkin, "-o", temp.Path() + "j.txt"});
    EXPECT_EQ(jpeg.Code, 1);
    EXPECT_NE(jpeg.Errors.find("active1.jpg"), std::string::npos) << jpeg.Errors;
}

// --replace swaps only the named block, at its indentation and with the
// file's line ends; --check tells a current description from a stale one.
TEST(SkinPack, ReplaceKeepsEverythingElse)
{
    testsupport::TTempFolder temp;
    const std::string before = "object FormSettings: TFormSettings\r\n  Caption = 'x'\r\n"
                               "  object Other: TPanel\r\n    object StoredSkin: TLabel\r\n    end\r\n  end\r\n";
    const std::string after = "  object SkinData: TspSkinData\r\n    StoredSkin = StoredSkin\r\n  end\r\nend";
    temp.Write("form.txt", before + "  object StoredSkin: TspStoredSkin\r\n    Pictures = {\r\n      00}\r\n"
                                    "    object Inner: TThing\r\n    end\r\n  end\r\n" + after);
    const std::string form = temp.Path() + "form.txt";
    EXPECT_EQ(Pack({TestSkin, "--replace", form, "--check"}).Code, 1);
    const TRun run = Pack({TestSkin, "--replace", form});
    ASSERT_EQ(run.Code, 0) << run.Errors;
    EXPECT_EQ(temp.Read("form.txt"), before + PackSkin(TestSkin + "/Skin.ini", {}, "  ", "\r\n") + after);
    EXPECT_EQ(Pack({TestSkin, "--replace", form, "--check"}).Code, 0);

    temp.Write("plain.txt", "object F: TForm\nend\n");
    const TRun missing = Pack({TestSkin, "--replace", temp.Path() + "plain.txt"});
    EXPECT_EQ(missing.Code, 1);
    EXPECT_EQ(temp.Read("plain.txt"), "object F: TForm\nend\n");
}

// What the program's skin load would reject is refused before anything is
// written, with the section named.
TEST(SkinPack, RefusesWhatTheProgramWouldNotLoad)
{
    testsupport::TTempFolder temp;
    const std::string skin = ReadFile(TestSkin + "/Skin.ini");
    const auto refused = [&](const std::string& ini, const std::string& named) {
        temp.Write("Skin.ini", ini);
        const TRun run = Pack({temp.Path() + "Skin.ini", "-o", temp.Path() + "out.txt"});
        EXPECT_EQ(run.Code, 1);
        EXPECT_NE(run.Errors.find(named), std::string::npos) << run.Errors;
        EXPECT_FALSE(std::filesystem::exists(temp.Path() + "out.txt"));
    };
    const std::string withoutControls = skin.substr(0, skin.find("[SKINCONTROLS]"));
    refused(withoutControls + "[SKINCONTROLS]\n", "[SKINCONTROLS]");  // empty is missing
    refused(skin + "clientrect=\n", "[groupbox]");
    refused(StringReplaceAll(skin, "command=cmclose", "activeskinrect=1,2"), "[closebutton]");
    refused(StringReplaceAll(skin, "clientrect=1,1,4,3", "clientrect=1,2"), "[FORMINFO]");
    refused(skin + "[SKINAREAS]\ncount=1\n0=caption:1,2\n", "[SKINAREAS]");
    EXPECT_EQ(Pack({TestSkin}).Code, 1);
}
