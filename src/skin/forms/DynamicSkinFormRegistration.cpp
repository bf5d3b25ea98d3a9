// The skinned form component's properties and events for form descriptions.
#include "skin/forms/DynamicSkinForm.h"

#include "classlib/core/ClassRegistry.h"
#include "classlib/core/FormTree.h"
#include "classlib/ui/Menus.h"
#include "skin/SkinData.h"
#include "skin/SkinHint.h"
#include "skin/forms/SkinMainMenuBar.h"
#include "skin/forms/TrayIcon.h"

namespace {

const TFormEnumTable<TspBorderIcons> BorderIconNames = {{"biSystemMenu", biSystemMenu},
                                                         {"biMinimize", biMinimize},
                                                         {"biMaximize", biMaximize},
                                                         {"biRollUp", biRollUp},
                                                         {"biMinimizeToTray", biMinimizeToTray}};

}  // namespace

void RegisterDynamicSkinFormClasses(TClassRegistry& classes)
{
    using C = TspDynamicSkinForm;
    classes.Register<C>("TspDynamicSkinForm", "TComponent")
        .Component<TspSkinData>("SkinData", &C::SetSkinData)
        .Component<TspSkinData>("MenusSkinData", &C::SetMenusSkinData)
        .Component<TMainMenu>("MainMenu", &C::SetMainMenu)
        .Component<TPopupMenu>("SystemMenu", &C::SetSystemMenu)
        .Component<TspSkinMainMenuBar>("MainMenuBar", &C::SetMainMenuBar)
        .Component<TspTrayIcon>("TrayIcon", &C::SetTrayIcon)
        .Component<TspSkinHint>("SkinHint", &C::SetSkinHint)
        .Set("BorderIcons", &C::SetBorderIcons, BorderIconNames)
        .Object("DefCaptionFont", &C::DefCaptionFont)
        .Object("DefInActiveCaptionFont", &C::DefInActiveCaptionFont)
        .Object("DefMenuItemFont", &C::DefMenuItemFont)
        .Int("DefMenuItemHeight", &C::SetDefMenuItemHeight)
        .Bool("SupportNCArea", &C::SetSupportNCArea)
        .Bool("ShowObjectHint", &C::ShowObjectHint)
        .Bool("UseSkinCursors", &C::UseSkinCursors)
        .Bool("UseDefaultSysMenu", &C::UseDefaultSysMenu)
        .Bool("AlphaBlendSupport", &C::SetAlphaBlendSupport)
        .Bool("AlphaBlend", &C::SetAlphaBlend)
        .Bool("MenusTransparent", &C::SetMenusTransparent)
        .Bool("Sizeable", &C::Sizeable)
        .Bool("DraggAble", &C::DraggAble)
        .Bool("Magnetic", &C::Magnetic)
        .Int("AlphaBlendValue", &C::SetAlphaBlendValue)
        .Int("MenusTransparentValue", &C::SetMenusTransparentValue)
        .Int("MinHeight", &C::MinHeight)
        .Int("MinWidth", &C::MinWidth)
        .Int("MagneticSize", &C::MagneticSize)
        .Event("OnChangeClientRect", &C::OnChangeClientRect)
        .Event("OnChangeSkinData", &C::OnChangeSkinData)
        .Event("OnActivate", &C::OnActivate)
        .Event("OnDeActivate", &C::OnDeActivate)
        .Event("OnSkinMenuOpen", &C::OnSkinMenuOpen)
        .Event("OnSkinMenuClose", &C::OnSkinMenuClose)
        .Event("OnChangeRollUpState", &C::OnChangeRollUpState)
        .Event("OnMainMenuEnter", &C::OnMainMenuEnter)
        .Event("OnMainMenuExit", &C::OnMainMenuExit)
        .Event("OnMinimizeToTray", &C::OnMinimizeToTray)
        .Event("OnRestoreFromTray", &C::OnRestoreFromTray)
        .Event("OnMouseDownEvent", &C::OnMouseDownEvent)
        .Event("OnMouseUpEvent", &C::OnMouseUpEvent)
        .Event("OnMouseMoveEvent", &C::OnMouseMoveEvent)
        .Event("OnMouseEnterEvent", &C::OnMouseEnterEvent)
        .Event("OnMouseLeaveEvent", &C::OnMouseLeaveEvent)
        .Event("OnPaintEvent", &C::OnPaintEvent)
        .Event("OnSwitchChangeStateEvent", &C::OnSwitchChangeStateEvent)
        .Event("OnTrackBarChangeValueEvent", &C::OnTrackBarChangeValueEvent)
        .Event("OnFrameRegulatorChangeValueEvent", &C::OnFrameRegulatorChangeValueEvent);
}
