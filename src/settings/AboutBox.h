// TAboutBox: the small dialog the settings form's About button opens. It
// shows the product's title over a picture of the deep, the maker's web
// page (a click opens it in the user's browser), and what the OpenGL
// driver reports about itself (vendor, renderer, version).
//
// Read from the form description TABOUTBOX; its skinned parts take the
// settings form's skin data ("FormSettings.SkinData"), so the settings form
// must exist while one is created.
#pragma once

#include <string>

#include "classlib/ui/ExtCtrls.h"
#include "classlib/ui/Forms.h"
#include "classlib/ui/StdCtrls.h"
#include "skin/SkinStandIns.h"

// The maker's web page, opened by the about box and by the settings
// dialog's Feedback button; the about box's description shows the same
// address under the product's title (Label1). The maker has no page of its
// own yet: an address in a domain reserved for documentation.
inline constexpr const char* MakerWebPage = "https://www.example.com/corvalen/";

// Opens the maker's web page with the shell ("open", shown normally).
void OpenMakerWebPage();

class TAboutBox : public TForm {
public:
    explicit TAboutBox(TComponent* owner);
    ~TAboutBox() override { DestroyComponents(); }

    std::string ClassName() const override { return "TAboutBox"; }

    // Caption "About <Application title> Screen Saver", the title as the
    // product name and info (the driver's lines) as the comments; then
    // shown modally until closed.
    void Execute(const std::string& info);

    // Opens the maker's web page (Label1 shows it, under a hand cursor).
    void Label1Click(TObject* sender);
    void ButtonOkClick(TObject* sender);

    TLabel* ProductName = nullptr;
    TLabel* Label1 = nullptr;
    TLabel* LabelComments = nullptr;
    TspSkinButton* ButtonOk = nullptr;
    TspSkinPanel* spSkinPanel1 = nullptr;
    TImage* ImageBackground = nullptr;
    TspSkinPanel* spSkinPanel2 = nullptr;
    TspDynamicSkinForm* spDynamicSkinForm = nullptr;
};
