#include "settings/AboutBox.h"

#include "classlib/ui/Application.h"
#include "classlib/ui/FormResources.h"

namespace {

void RegisterAboutBox()
{
    static bool registered = false;
    if (registered)
        return;
    registered = true;
    RegisterSkinClasses();
    ClassRegistry()
        .Register<TAboutBox>("TAboutBox", "TForm")
        .Factory(nullptr)
        .Field("ProductName", &TAboutBox::ProductName)
        .Field("Label1", &TAboutBox::Label1)
        .Field("LabelComments", &TAboutBox::LabelComments)
        .Field("ButtonOk", &TAboutBox::ButtonOk)
        .Field("spSkinPanel1", &TAboutBox::spSkinPanel1)
        .Field("ImageBackground", &TAboutBox::ImageBackground)
        .Field("spSkinPanel2", &TAboutBox::spSkinPanel2)
        .Field("spDynamicSkinForm", &TAboutBox::spDynamicSkinForm);
}

}  // namespace

TAboutBox::TAboutBox(TComponent* owner) : TForm(owner)
{
    RegisterAboutBox();
    TFormHandlers handlers;
    handlers.Add("Label1Click", this, &TAboutBox::Label1Click);
    handlers.Add("ButtonOkClick", this, &TAboutBox::ButtonOkClick);
    ReadFormResource(*this, handlers);
}

void TAboutBox::Execute(const std::string& info)
{
    SetCaption("About " + Application->Title() + " Screen Saver");
    ProductName->SetCaption(Application->Title());
    LabelComments->SetCaption(info);
    ShowModal();
}

void OpenMakerWebPage()
{
    Application->ShellExecuteFile(nullptr, "open", MakerWebPage, SW_SHOW);
}

void TAboutBox::Label1Click(TObject*) { OpenMakerWebPage(); }

void TAboutBox::ButtonOkClick(TObject*) { Close(); }
