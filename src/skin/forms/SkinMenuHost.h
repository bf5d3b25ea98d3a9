// What a skinned popup menu needs from the skinned form that shows it: the
// form's menu engine, its skins, and the switch into skinned-menu mode, in
// which the form forwards its key strokes to the deepest open level and
// closes the menu on the messages that end a menu (moves, activation,
// clicks elsewhere). The skinned form implements it; a popup menu finds it
// among the components of its form.
#pragma once

class TspSkinMenu;
class TspSkinData;

class TspSkinMenuHost {
public:
    // Enters skinned-menu mode; the mode ends when the form hears
    // SM_CLOSESKINMENU.
    virtual void SkinMenuOpen() = 0;
    virtual TspSkinMenu* SkinMenu() = 0;
    // The skin for menus, or null to use SkinData.
    virtual TspSkinData* MenusSkinData() = 0;
    virtual TspSkinData* SkinData() = 0;

protected:
    ~TspSkinMenuHost() = default;
};
