#include "classlib/ui/ImgList.h"

#include "classlib/graphics/Graphics.h"

namespace {

// A copy of `image` whose DIB is selected into no device context: the
// image list reads it, and AddMasked paints its masked pixels black.
void CopyPicture(TBitmap* image, TBitmap& copy)
{
    copy.SetDib(image->Dib());
}

}  // namespace

TCustomImageList::TCustomImageList(TComponent* owner) : TComponent(owner)
{
    Recreate();
}

TCustomImageList::~TCustomImageList()
{
    if (FHandle != nullptr)
        ImageList_Destroy(FHandle);
}

int TCustomImageList::Count() const
{
    return FHandle == nullptr ? 0 : ImageList_GetImageCount(FHandle);
}

int TCustomImageList::Add(TBitmap* image, TBitmap* mask)
{
    if (FHandle == nullptr || image == nullptr || image->Empty())
        return -1;
    TBitmap picture;
    CopyPicture(image, picture);
    TBitmap maskCopy;
    if (mask != nullptr && !mask->Empty())
        CopyPicture(mask, maskCopy);
    return ImageList_Add(FHandle, picture.Handle(), maskCopy.Handle());
}

int TCustomImageList::AddMasked(TBitmap* image, TColor maskColor)
{
    if (FHandle == nullptr || image == nullptr || image->Empty())
        return -1;
    TBitmap picture;
    CopyPicture(image, picture);
    return ImageList_AddMasked(FHandle, picture.Handle(), ColorToRGB(maskColor));
}

void TCustomImageList::Draw(TCanvas* canvas, int x, int y, int index, bool enabled) const
{
    if (index < 0 || index >= Count())
        return;
    if (enabled) {
        ImageList_Draw(FHandle, index, canvas->Handle(), x, y, ILD_NORMAL);
        return;
    }
    HICON icon = ImageList_GetIcon(FHandle, index, ILD_NORMAL);
    if (icon == nullptr)
        return;
    DrawStateA(canvas->Handle(), nullptr, nullptr, reinterpret_cast<LPARAM>(icon), 0, x, y, FWidth, FHeight,
               DST_ICON | DSS_DISABLED);
    DestroyIcon(icon);
}

void TCustomImageList::GetIcon(int index, TIcon* icon) const
{
    icon->SetHandle(index < 0 || index >= Count() ? nullptr : ImageList_GetIcon(FHandle, index, ILD_NORMAL));
}

void TCustomImageList::Clear()
{
    if (FHandle != nullptr)
        ImageList_RemoveAll(FHandle);
}

void TCustomImageList::SetSize(int width, int height)
{
    if (width == FWidth && height == FHeight)
        return;
    FWidth = width;
    FHeight = height;
    Recreate();
}

void TCustomImageList::Recreate()
{
    if (FHandle != nullptr)
        ImageList_Destroy(FHandle);
    FHandle = FWidth > 0 && FHeight > 0 ? ImageList_Create(FWidth, FHeight, ILC_COLOR24 | ILC_MASK, 0, 4) : nullptr;
}
