// The skin data component: one loaded skin (its description in records, see
// skin/core/SkinDescription.h, and its pictures) that every skinned form,
// control, menu and hint of the application refers to.
//
// A load runs when a stored or compressed skin is assigned (after form
// streaming has filled it) and is announced to the forms by three messages,
// sent synchronously with wParam = this component and lParam = 1000, first
// to the owner form (its window made if need be), then to every other form
// of Screen, in Screen's order:
//   WM_SKINDATA_BEFORECHANGE  before anything is cleared: drop every pointer
//                             into the old records;
//   WM_SKINDATA_CHANGED,      once the load has ended, whatever its outcome:
//   WM_SKINDATA_AFTERCHANGE   take the new skin (none when Empty) and repaint.
// Every load that sent the first message sends the other two, also when it
// fails (a missing section, another payload version, a value that cannot
// be converted, a cut-short picture); a failure leaves the skin Empty and
// its exception passes on after the messages. An empty compressed skin is
// no load: nothing changes and nothing is sent.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "classlib/core/ClassRegistry.h"
#include "classlib/core/Components.h"
#include "classlib/graphics/Bitmap.h"
#include "skin/StoredSkin.h"
#include "skin/core/SkinDescription.h"

constexpr UINT WM_SKINDATA_BEFORECHANGE = WM_USER + 201;
constexpr UINT WM_SKINDATA_CHANGED = WM_USER + 202;
constexpr UINT WM_SKINDATA_AFTERCHANGE = WM_USER + 203;
// The lParam of the three messages.
constexpr LPARAM SkinDataMessageTag = 1000;

class TspSkinData : public TComponent, public TspSkinDescription {
public:
    explicit TspSkinData(TComponent* owner);
    ~TspSkinData() override;
    std::string ClassName() const override { return "TspSkinData"; }

    // Setting either loads from it at once (not when designing, nor for
    // null); the component follows its removal to null, keeping the skin.
    TspStoredSkin* StoredSkin() const { return FStoredSkin; }
    void SetStoredSkin(TspStoredSkin* value);
    TspCompressedStoredSkin* CompressedStoredSkin() const { return FCompressedStoredSkin; }
    void SetCompressedStoredSkin(TspCompressedStoredSkin* value);

    // True until a load succeeds, and while one runs.
    bool Empty = true;
    // Owned, always present, possibly empty.
    std::unique_ptr<TBitmap> Picture, Mask, RollupPicture, RollupMask;
    // Owned; the 0-based targets of the records' picture indexes.
    std::vector<std::unique_ptr<TBitmap>> ActivePictures;

    // A null source, like a compressed skin without data, loads nothing and
    // announces nothing.
    void LoadFromStoredSkin(TspStoredSkin* AStoredSkin);
    void LoadFromCompressedStoredSkin(TspCompressedStoredSkin* ACompressedStoredSkin);
    // Frees the records and active pictures, empties the four pictures,
    // sets Empty; the names and the form frame stay.
    void ClearAll();
    // Sends `msg` to the owner form, then to every other form of Screen
    // (over a copy of the list: a form that a handler frees, or that is
    // being destroyed, is passed over). An owner that is not a form is
    // passed over too.
    void SendSkinDataMessage(UINT msg);

    void Notification(TComponent* aComponent, TOperation operation) override;

private:
    // Stores a stored or compressed skin reference and loads from it.
    template <class S>
    void SetSkinSource(S*& field, S* value, void (TspSkinData::*load)(S*));
    // Runs a load after WM_SKINDATA_BEFORECHANGE and ClearAll: `load`
    // answers whether the skin is complete. Sends the two closing messages
    // on every outcome; a failure clears what was read and rethrows.
    template <class Load>
    void RunLoad(Load load);

    TspStoredSkin* FStoredSkin = nullptr;
    TspCompressedStoredSkin* FCompressedStoredSkin = nullptr;
};

// Registers TspSkinData below TComponent, with its references "StoredSkin"
// and "CompressedStoredSkin" (the stored-skin classes must be registered).
void RegisterSkinDataClasses(TClassRegistry& classes);
