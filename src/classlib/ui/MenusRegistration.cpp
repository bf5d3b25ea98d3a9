#include "classlib/ui/ControlsRegistration.h"
#include "classlib/ui/ImgList.h"

namespace {

void SetMenuItemParent(TMenuItem* item, TComponent* parent)
{
    if (auto* menu = dynamic_cast<TMenu*>(parent)) {
        menu->Items()->Add(item);
        return;
    }
    if (auto* parentItem = dynamic_cast<TMenuItem*>(parent)) {
        parentItem->Add(item);
        return;
    }
    throw Exception("'" + parent->Name() + "' (" + parent->ClassName() + ") is neither a menu nor a menu item");
}

void SetImageListSide(TCustomImageList* images, int size, void (TCustomImageList::*set)(int))
{
    if (size < 1 || size > 256)
        throw EFormValueError("image size " + std::to_string(size) + " out of range");
    (images->*set)(size);
}

}  // namespace

void RegisterMenusClasses(TClassRegistry& classes)
{
    classes.Register<TMenuItem>("TMenuItem", "TComponent")
        .ParentSetter(&SetMenuItemParent)
        .String("Caption", &TMenuItem::SetCaption)
        .Bool("Checked", &TMenuItem::SetChecked)
        .Bool("Default", &TMenuItem::SetDefault)
        .Bool("Enabled", &TMenuItem::SetEnabled)
        .Int("ImageIndex", &TMenuItem::SetImageIndex)
        .Bool("RadioItem", &TMenuItem::SetRadioItem)
        .Int("ShortCut", [](TMenuItem* item, int shortCut) {
            if (shortCut < 0 || shortCut > 0xFFFF)
                throw EFormValueError("shortcut " + std::to_string(shortCut) + " out of range");
            item->SetShortCut(static_cast<TShortCut>(shortCut));
        })
        .Bool("Visible", &TMenuItem::SetVisible)
        .Event("OnClick", &TMenuItem::OnClick);

    classes.Register<TCustomImageList>("TCustomImageList", "TComponent")
        .Factory(nullptr)
        .Int("Width", [](TCustomImageList* images, int width) {
            SetImageListSide(images, width, &TCustomImageList::SetWidth);
        })
        .Int("Height", [](TCustomImageList* images, int height) {
            SetImageListSide(images, height, &TCustomImageList::SetHeight);
        });
    classes.Register<TImageList>("TImageList", "TCustomImageList");

    classes.Register<TMenu>("TMenu", "TComponent")
        .Factory(nullptr)
        .Component<TCustomImageList>("Images", &TMenu::SetImages);
    classes.Register<TMainMenu>("TMainMenu", "TMenu");
    classes.Register<TPopupMenu>("TPopupMenu", "TMenu")
        .Bool("AutoPopup", &TPopupMenu::AutoPopup)
        .Event("OnPopup", &TPopupMenu::OnPopup);
}
