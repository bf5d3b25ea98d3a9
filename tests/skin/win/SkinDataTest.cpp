// The stored skins read from form descriptions (the packer's committed
// blocks) and the skin data component loading them: the skin-change
// announcement to every form, the compressed path and failed loads.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "classlib/core/FormReader.h"
#include "classlib/core/JpegCodec.h"
#include "classlib/ui/Forms.h"
#include "skin/SkinData.h"
#include "skin/SkinStandIns.h"
#include "skin/StoredSkin.h"
#include "classlib/system/ResourceStream.h"
#include "skin/core/ZlibStreams.h"

namespace {

// A committed fixture, embedded as an RCDATA resource (StoredSkinFixtures.rc).
std::string ResourceText(const char* name)
{
    TResourceStream resource(nullptr, name, RT_RCDATA);
    return std::string(static_cast<const char*>(resource.Memory()), static_cast<size_t>(resource.Size()));
}

struct TReceipt {
    char Form;
    UINT Msg;
    size_t Objects;  // the skin's records when the message came
    bool Empty;
};

std::vector<TReceipt> Receipts;

// A form that writes down every skin message it receives.
class TRecordingForm : public TForm {
public:
    TRecordingForm(char id) : TForm(nullptr), FId(id) {}
    std::function<void(UINT)> OnSkinMessage;

protected:
    void WndProc(TMessage& message) override
    {
        if (message.Msg >= WM_SKINDATA_BEFORECHANGE && message.Msg <= WM_SKINDATA_AFTERCHANGE) {
            auto* skin = reinterpret_cast<TspSkinData*>(message.WParam);
            EXPECT_EQ(message.LParam, SkinDataMessageTag);
            Receipts.push_back({FId, message.Msg, skin->ObjectList.size(), skin->Empty});
            if (OnSkinMessage)
                OnSkinMessage(message.Msg);
        }
        TForm::WndProc(message);
    }

private:
    char FId;
};

// "A1225 B1225 ..." of the receipts.
std::string Transcript()
{
    std::string text;
    for (const TReceipt& r : Receipts)
        text += (text.empty() ? "" : " ") + std::string(1, r.Form) + std::to_string(r.Msg);
    return text;
}

const char* const GoodSkin =
    "[VERSION]\nskinname=good\n[PICTURES]\npicture=\n[FORMINFO]\nclientrect=1,1,4,3\n"
    "[SKINOBJECTS]\ncount=1\n0=closebutton:stdbutton\n[SKINCONTROLS]\ncount=1\n0=button:button\n"
    "[button]\nskinrect=0,0,5,4\n";

void SetIni(TspStoredSkin& stored, const std::string& text)
{
    TStringList lines;
    lines.SetText(text);
    stored.SetIniStrings(lines);
}

// A compressed skin of the payload `version`, INI text `text` and one 2 x 2
// picture.
void SetCompressed(TspCompressedStoredSkin& compressed, int32_t version, const std::string& text)
{
    TspSkinPictures pictures;
    pictures.Picture.Width = pictures.Picture.Height = 2;
    pictures.Picture.BitCount = 24;
    pictures.Picture.Bits.assign(2 * 8, 0x40);
    TStringList lines;
    lines.SetText(text);
    TMemoryStream payload;
    WriteCompressedSkinPayload(payload, pictures, lines);
    payload.SetPosition(0);
    payload.Write(&version, sizeof version);
    compressed.CompressedStream().Clear();
    CompressStream(payload, compressed.CompressedStream());
}

// A component read from a description with the skinned classes.
std::unique_ptr<TComponent> Read(const std::string& text)
{
    RegisterSkinClasses();
    return std::unique_ptr<TComponent>(TFormReader().Create(text, nullptr));
}

TDibImage ResourcePicture(const char* name)
{
    const std::string bytes = ResourceText(name);
    const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
    return std::string(name).ends_with("_JPG") ? DecodeJpeg(data, bytes.size()) : ReadBmpFile(data, bytes.size());
}

void ExpectPicture(const TBitmap& bitmap, const char* resource)
{
    SCOPED_TRACE(resource);
    const TDibImage e = ResourcePicture(resource);
    const TDibImage a = bitmap.Dib();
    EXPECT_EQ(std::tie(a.Width, a.Height, a.BitCount, a.Palette), std::tie(e.Width, e.Height, e.BitCount, e.Palette));
    EXPECT_EQ(a.Bits, e.Bits);
}

}  // namespace

// The packer's blocks (the packer's own tests prove they are its output),
// read by the form reader, give back the skin folder: its INI lines and every
// picture pixel for pixel (the JPEG as decoded). A skin data component that
// names the stored skin is loaded once read: the reference is set after the
// stored skin has its content.
TEST(StoredSkin, PackedBlocksReadBackThroughTheFormReader)
{
    const std::string text = "object Form: TComponent\n" + ResourceText("STOREDSKIN_TXT") +
                             ResourceText("COMPRESSEDSTOREDSKIN_TXT") +
                             "  object SkinData: TspSkinData\n    StoredSkin = StoredSkin\n  end\nend\n";
    const std::unique_ptr<TComponent> form = Read(text);
    auto* stored = dynamic_cast<TspStoredSkin*>(form->FindComponent("StoredSkin"));
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(stored->FileName(), "Skin.ini");
    TStringList ini;
    ini.SetText(ResourceText("SKIN_INI"));
    EXPECT_TRUE(stored->IniStrings()->Equals(ini));
    ExpectPicture(*stored->Picture(), "PICTURE_BMP");
    ExpectPicture(*stored->Mask(), "MASK_BMP");
    ExpectPicture(*stored->RollupPicture(), "ROLLUP_BMP");
    EXPECT_TRUE(stored->RollupMask()->Empty());
    ASSERT_EQ(stored->ActivePictures().size(), 2u);
    ExpectPicture(*stored->ActivePictures()[0], "ACTIVE0_BMP");
    ExpectPicture(*stored->ActivePictures()[1], "ACTIVE1_JPG");

    // The compressed block loads as a skin.
    auto* compressed = dynamic_cast<TspCompressedStoredSkin*>(form->FindComponent("CompressedStoredSkin"));
    ASSERT_NE(compressed, nullptr);
    EXPECT_EQ(compressed->FileName(), "BmpSkin.ini");
    TspSkinData fromCompressed(nullptr);
    fromCompressed.SetCompressedStoredSkin(compressed);
    EXPECT_FALSE(fromCompressed.Empty);
    EXPECT_EQ(fromCompressed.SkinName, "Corvalen test skin, BMP only");
    EXPECT_EQ(fromCompressed.Picture->Dib().Bits, ResourcePicture("PICTURE_BMP").Bits);

    auto* skin = dynamic_cast<TspSkinData*>(form->FindComponent("SkinData"));
    ASSERT_NE(skin, nullptr);
    ASSERT_FALSE(skin->Empty);
    EXPECT_EQ(skin->SkinName, "Corvalen test skin");
    EXPECT_EQ(skin->ActivePictures.size(), 2u);
    EXPECT_FALSE(skin->Mask->Empty());
    EXPECT_EQ(skin->GetObjectIndex("closebutton"), 0);
    EXPECT_EQ(skin->GetControlIndex("groupbox"), 1);
}

// Every load is announced to the owner form first, then to the other forms
// in Screen's order; the first message comes while the old records still
// exist, the other two once the new ones do. A failing load still closes
// the announcement and leaves the skin empty.
TEST(SkinData, LoadsAreAnnouncedToEveryForm)
{
    auto* b = new TRecordingForm('B');
    auto* a = new TRecordingForm('A');
    auto* c = new TRecordingForm('C');
    auto* skin = new TspSkinData(a);
    TspStoredSkin stored(nullptr);
    SetIni(stored, GoodSkin);
    stored.Picture()->SetSize(5, 4);

    Receipts.clear();
    skin->SetStoredSkin(&stored);
    EXPECT_EQ(Transcript(), "A1225 B1225 C1225 A1226 B1226 C1226 A1227 B1227 C1227");
    EXPECT_FALSE(skin->Empty);
    EXPECT_EQ(Receipts[3].Objects, 1u);
    EXPECT_FALSE(Receipts[3].Empty);

    // No stored skin: nothing is loaded and nobody is told.
    Receipts.clear();
    skin->LoadFromStoredSkin(nullptr);
    EXPECT_EQ(Transcript(), "");
    EXPECT_FALSE(skin->Empty);

    // A value that cannot be converted: the load raises, after the closing
    // messages, and keeps nothing of what it had read. The first message
    // finds the previous records whole.
    SetIni(stored, std::string(GoodSkin) + "[closebutton]\nskinrect=1,2\n");
    Receipts.clear();
    EXPECT_THROW(skin->LoadFromStoredSkin(&stored), EConvertError);
    EXPECT_EQ(Transcript(), "A1225 B1225 C1225 A1226 B1226 C1226 A1227 B1227 C1227");
    EXPECT_EQ(Receipts[0].Objects, 1u);
    EXPECT_TRUE(Receipts[0].Empty);
    EXPECT_TRUE(skin->Empty);
    EXPECT_TRUE(skin->ControlList.empty() && skin->Picture->Empty());

    // A description without [SKINOBJECTS] is no skin: it loads empty, and
    // the announcement is still closed.
    std::string noObjects = GoodSkin;
    const size_t objects = noObjects.find("[SKINOBJECTS]");
    noObjects.erase(objects, noObjects.find("[SKINCONTROLS]") - objects);
    SetIni(stored, noObjects);
    Receipts.clear();
    skin->LoadFromStoredSkin(&stored);
    EXPECT_EQ(Transcript(), "A1225 B1225 C1225 A1226 B1226 C1226 A1227 B1227 C1227");
    EXPECT_TRUE(skin->Empty && skin->ControlList.empty());

    // A form that a handler frees is passed over; the others still hear.
    SetIni(stored, GoodSkin);
    b->OnSkinMessage = [&c](UINT msg) {
        if (msg == WM_SKINDATA_CHANGED && c != nullptr) {
            delete c;
            c = nullptr;
        }
    };
    Receipts.clear();
    skin->LoadFromStoredSkin(&stored);
    EXPECT_EQ(Transcript(), "A1225 B1225 C1225 A1226 B1226 A1227 B1227");
    delete b;
    delete a;
}

// The compressed path: a payload of another version fails the load without
// raising (a raising load, which cut payloads give, is the description's
// case above), and an empty compressed skin is no load at all.
TEST(SkinData, CompressedLoads)
{
    auto* a = new TRecordingForm('A');
    auto* skin = new TspSkinData(a);
    TspCompressedStoredSkin compressed(nullptr);
    const std::string text = GoodSkin;

    SetCompressed(compressed, 1, text);
    Receipts.clear();
    skin->SetCompressedStoredSkin(&compressed);
    EXPECT_EQ(Transcript(), "A1225 A1226 A1227");
    ASSERT_FALSE(skin->Empty);

    // Nothing to load: the skin stays, nobody is told.
    TspCompressedStoredSkin none(nullptr);
    Receipts.clear();
    skin->LoadFromCompressedStoredSkin(&none);
    skin->LoadFromCompressedStoredSkin(nullptr);
    EXPECT_EQ(Transcript(), "");
    EXPECT_FALSE(skin->Empty);

    SetCompressed(compressed, 2, text);
    Receipts.clear();
    skin->LoadFromCompressedStoredSkin(&compressed);
    EXPECT_EQ(Transcript(), "A1225 A1226 A1227");
    EXPECT_TRUE(skin->Empty);

    // Freeing the compressed skin clears the reference; the skin stays.
    auto* owned = new TspCompressedStoredSkin(nullptr);
    SetCompressed(*owned, 1, text);
    skin->SetCompressedStoredSkin(owned);
    delete owned;
    EXPECT_EQ(skin->CompressedStoredSkin(), nullptr);
    EXPECT_FALSE(skin->Empty);
    delete a;
}
