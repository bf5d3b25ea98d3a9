#include "classlib/graphics/Icon.h"

#include <cstdint>
#include <utility>
#include <vector>

#include "classlib/core/BmpCodec.h"
#include "classlib/core/Exceptions.h"
#include "classlib/core/IcoCodec.h"

TIcon::~TIcon()
{
    if (FHandle != nullptr)
        DestroyIcon(FHandle);
}

void TIcon::SetHandle(HICON icon)
{
    if (icon == FHandle)
        return;
    if (FHandle != nullptr)
        DestroyIcon(FHandle);
    FHandle = icon;
    Fire(OnChange, this);
}

HICON TIcon::ReleaseHandle()
{
    return std::exchange(FHandle, nullptr);
}

namespace {

SIZE IconSize(HICON icon)
{
    SIZE size{0, 0};
    ICONINFO info{};
    if (icon == nullptr || !GetIconInfo(icon, &info))
        return size;
    BITMAP bitmap{};
    if (info.hbmColor != nullptr && GetObjectA(info.hbmColor, sizeof(bitmap), &bitmap)) {
        size = {bitmap.bmWidth, bitmap.bmHeight};
    } else if (info.hbmMask != nullptr && GetObjectA(info.hbmMask, sizeof(bitmap), &bitmap)) {
        size = {bitmap.bmWidth, bitmap.bmHeight / 2};  // a monochrome icon: AND and XOR masks stacked
    }
    if (info.hbmColor != nullptr)
        DeleteObject(info.hbmColor);
    if (info.hbmMask != nullptr)
        DeleteObject(info.hbmMask);
    return size;
}

}  // namespace

int TIcon::Width() const
{
    return IconSize(FHandle).cx;
}

int TIcon::Height() const
{
    return IconSize(FHandle).cy;
}

void TIcon::LoadFromResourceName(HINSTANCE instance, const std::string& name)
{
    if (instance == nullptr)
        instance = GetModuleHandleA(nullptr);
    const HANDLE icon = LoadImageA(instance, name.c_str(), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE);
    if (icon == nullptr)
        throw EResNotFound("Resource " + name + " not found");
    SetHandle(static_cast<HICON>(icon));
}

void TIcon::LoadFromStream(TStream& stream)
{
    // Far above any icon a description or resource carries.
    constexpr int64_t MaxFile = 16 * 1024 * 1024;
    const int64_t available = stream.Size() - stream.Position();
    if (available > MaxFile)
        throw EInvalidGraphic("Icon image is not valid: the file is too large");
    std::vector<uint8_t> data(static_cast<size_t>(available > 0 ? available : 0));
    stream.ReadBuffer(data.data(), static_cast<int64_t>(data.size()));
    const TIcoImage image =
        PickIcoImage(data.data(), data.size(), GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON));
    const HICON icon = CreateIconFromResourceEx(data.data() + image.Offset, static_cast<DWORD>(image.Size), TRUE,
                                                0x00030000, image.Width, image.Height, LR_DEFAULTCOLOR);
    if (icon == nullptr)
        throw EInvalidGraphic("Icon image is not valid: the image cannot be read");
    SetHandle(icon);
}

void TIcon::Assign(TPersistent* source)
{
    if (source == nullptr) {
        SetHandle(nullptr);
        return;
    }
    if (auto* icon = dynamic_cast<TIcon*>(source)) {
        if (icon != this)
            SetHandle(icon->Empty() ? nullptr : CopyIcon(icon->Handle()));
        return;
    }
    TPersistent::Assign(source);
}
