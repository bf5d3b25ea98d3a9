#include "skin/SkinData.h"

#include "classlib/core/IniFiles.h"
#include "classlib/core/Streams.h"
#include "classlib/ui/Forms.h"
#include "classlib/ui/Screen.h"

#include <algorithm>

TspSkinData::TspSkinData(TComponent* owner)
    : TComponent(owner),
      Picture(std::make_unique<TBitmap>()),
      Mask(std::make_unique<TBitmap>()),
      RollupPicture(std::make_unique<TBitmap>()),
      RollupMask(std::make_unique<TBitmap>())
{
}

TspSkinData::~TspSkinData()
{
    Empty = true;
}

template <class S>
void TspSkinData::SetSkinSource(S*& field, S* value, void (TspSkinData::*load)(S*))
{
    if (field != nullptr && field != value)
        field->RemoveFreeNotification(this);
    field = value;
    if (value == nullptr)
        return;
    value->FreeNotification(this);
    if (!(ComponentState() & csDesigning))
        (this->*load)(value);
}

void TspSkinData::SetStoredSkin(TspStoredSkin* value)
{
    SetSkinSource(FStoredSkin, value, &TspSkinData::LoadFromStoredSkin);
}

void TspSkinData::SetCompressedStoredSkin(TspCompressedStoredSkin* value)
{
    SetSkinSource(FCompressedStoredSkin, value, &TspSkinData::LoadFromCompressedStoredSkin);
}

void TspSkinData::Notification(TComponent* aComponent, TOperation operation)
{
    TComponent::Notification(aComponent, operation);
    if (operation != opRemove)
        return;
    if (aComponent == FStoredSkin)
        FStoredSkin = nullptr;
    if (aComponent == FCompressedStoredSkin)
        FCompressedStoredSkin = nullptr;
}

void TspSkinData::ClearAll()
{
    ClearRecords();
    ActivePictures.clear();
    Picture->Assign(nullptr);
    Mask->Assign(nullptr);
    RollupPicture->Assign(nullptr);
    RollupMask->Assign(nullptr);
    Empty = true;
}

template <class Load>
void TspSkinData::RunLoad(Load load)
{
    Empty = true;
    SendSkinDataMessage(WM_SKINDATA_BEFORECHANGE);
    ClearAll();
    try {
        Empty = !load();
    } catch (...) {
        // The forms left their old skin at the first message; they must not
        // wait for a skin that never comes.
        ClearAll();
        SendSkinDataMessage(WM_SKINDATA_CHANGED);
        SendSkinDataMessage(WM_SKINDATA_AFTERCHANGE);
        throw;
    }
    SendSkinDataMessage(WM_SKINDATA_CHANGED);
    SendSkinDataMessage(WM_SKINDATA_AFTERCHANGE);
}

void TspSkinData::LoadFromStoredSkin(TspStoredSkin* AStoredSkin)
{
    if (AStoredSkin == nullptr)
        return;
    RunLoad([&] {
        TMemIniFile ini("");
        ini.SetStrings(*AStoredSkin->IniStrings());
        if (!HasSkinSections(ini))
            return false;
        Picture->Assign(AStoredSkin->Picture());
        Mask->Assign(AStoredSkin->Mask());
        RollupPicture->Assign(AStoredSkin->RollupPicture());
        RollupMask->Assign(AStoredSkin->RollupMask());
        for (const auto& stored : AStoredSkin->ActivePictures()) {
            ActivePictures.push_back(std::make_unique<TBitmap>());
            ActivePictures.back()->Assign(stored.get());
        }
        ReadStoredDescription(ini);
        return true;
    });
}

void TspSkinData::LoadFromCompressedStoredSkin(TspCompressedStoredSkin* ACompressedStoredSkin)
{
    if (ACompressedStoredSkin == nullptr || ACompressedStoredSkin->IsEmpty())
        return;
    RunLoad([&] {
        TMemoryStream payload;
        ACompressedStoredSkin->DecompressToStream(payload);
        payload.SetPosition(0);
        TspSkinPictures pictures;
        TStringList lines;
        if (!ReadCompressedSkinPayload(payload, pictures, lines))
            return false;
        Picture->SetDib(pictures.Picture);
        Mask->SetDib(pictures.Mask);
        RollupPicture->SetDib(pictures.RollupPicture);
        RollupMask->SetDib(pictures.RollupMask);
        for (const TDibImage& image : pictures.ActivePictures) {
            ActivePictures.push_back(std::make_unique<TBitmap>());
            ActivePictures.back()->SetDib(image);
        }
        TMemIniFile ini("");
        ini.SetStrings(lines);
        ReadCompressedDescription(ini);
        return true;
    });
}

void TspSkinData::SendSkinDataMessage(UINT msg)
{
    const auto wParam = reinterpret_cast<WPARAM>(this);
    auto* owner = dynamic_cast<TCustomForm*>(Owner());
    if (owner != nullptr && !(owner->ComponentState() & csDestroying))
        SendMessageA(owner->Handle(), msg, wParam, SkinDataMessageTag);
    if (Screen == nullptr)
        return;
    std::vector<TCustomForm*> forms;
    for (int i = 0; i < Screen->FormCount(); ++i)
        forms.push_back(Screen->Forms(i));
    for (TCustomForm* form : forms) {
        if (form == owner)
            continue;
        // A handler may have freed a form of the copy.
        bool present = false;
        for (int i = 0; i < Screen->FormCount() && !present; ++i)
            present = Screen->Forms(i) == form;
        if (present && !(form->ComponentState() & csDestroying))
            SendMessageA(form->Handle(), msg, wParam, SkinDataMessageTag);
    }
}

void RegisterSkinDataClasses(TClassRegistry& classes)
{
    classes.Register<TspSkinData>("TspSkinData", "TComponent")
        .Component<TspStoredSkin>("StoredSkin", &TspSkinData::SetStoredSkin)
        .Component<TspCompressedStoredSkin>("CompressedStoredSkin", &TspSkinData::SetCompressedStoredSkin);
}
