#include "classlib/graphics/Icon.h"

#include <utility>

#include "classlib/core/Exceptions.h"

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
