// Small streamable classes for the form-reader tests: one of every property
// kind, a nested sub-object chain, a parent link, and a journal of Loaded calls.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "classlib/core/ClassRegistry.h"
#include "classlib/core/Components.h"
#include "classlib/core/StringList.h"

namespace formtest {

using TNotifyEvent = std::function<void(TObject* sender)>;
using TChangeEvent = std::function<void(TObject* sender, int value)>;

enum TAlign { alNone, alTop, alClient };
enum TAnchor : unsigned { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };
enum TColorName : int { clRed = 0xFF, clBlue = 0xFF0000 };  // an integer that also takes names

inline const TFormEnumTable<TAlign> AlignNames = {{"alNone", alNone}, {"alTop", alTop}, {"alClient", alClient}};
inline const TFormEnumTable<unsigned> AnchorNames = {
    {"akLeft", akLeft}, {"akTop", akTop}, {"akRight", akRight}, {"akBottom", akBottom}};
inline const TFormEnumTable<TColorName> ColorNames = {{"clRed", clRed}, {"clBlue", clBlue}};

inline std::vector<std::string>* Journal = nullptr;

struct TVector : TPersistent {
    std::string ClassName() const override { return "TVector"; }
    double Z = 0;
};
struct TViewport : TPersistent {
    std::string ClassName() const override { return "TViewport"; }
    TVector Position;
};

class TWidget : public TComponent {
public:
    explicit TWidget(TComponent* owner) : TComponent(owner) {}
    std::string ClassName() const override { return "TWidget"; }

    // Journals "Loaded W1 [Target=W2 OnClick=set]".
    void Loaded() override
    {
        if (Journal != nullptr)
            Journal->push_back("Loaded " + Name() + " [Target=" + (Target != nullptr ? Target->Name() : "nil") +
                               " OnClick=" + (OnClick ? "set" : "nil") + "]");
        TComponent::Loaded();
    }
    void SetWidth(int width);
    void SetChecked(bool checked)  // fires OnClick, as a check box does
    {
        Checked = checked;
        if (OnClick)
            OnClick(this);
    }
    void ReadData(TStream& stream)  // a 32-bit length, then that many bytes
    {
        int32_t length = 0;
        stream.ReadBuffer(&length, sizeof length);
        if (length < 0 || length > stream.Size() - stream.Position())
            throw EReadError("Stream read error");  // before sizing anything by it
        Data.assign(static_cast<size_t>(length), '\0');
        stream.ReadBuffer(Data.data(), static_cast<int64_t>(Data.size()));
    }

    int Width = 0, Color = 0;
    TComponentState StateAtWidth = 0;
    bool InFieldAtWidth = false;  // the form's field held this widget already
    bool Visible = true, Checked = false;
    std::string Caption, Data;
    unsigned Anchors = 0;
    TAlign Align = alNone;
    TStringList Items;
    TViewport Viewport;
    TViewport* Missing = nullptr;
    TComponent *Target = nullptr, *ParentObject = nullptr;
    TWidget* Buddy = nullptr;
    TNotifyEvent OnClick;
    TChangeEvent OnChange;
};

struct TFancyWidget : TWidget {
    using TWidget::TWidget;
    std::string ClassName() const override { return "TFancyWidget"; }
    int Sparkle = 0;
};

// Read into an existing instance; its fields receive "Main" and "Fancy".
struct TTestForm : TWidget {
    using TWidget::TWidget;
    std::string ClassName() const override { return "TTestForm"; }
    TWidget* Main = nullptr;
    TFancyWidget* Fancy = nullptr;
};

inline void TWidget::SetWidth(int width)
{
    Width = width;
    StateAtWidth = ComponentState();
    auto* form = dynamic_cast<TTestForm*>(Owner());
    InFieldAtWidth = form != nullptr && form->Main == this;
}

inline void RegisterTestClasses(TClassRegistry& classes)
{
    RegisterCoreClasses(classes);
    classes.Register<TVector>("TVector", "TPersistent").Real("Z", &TVector::Z);
    classes.Register<TViewport>("TViewport", "TPersistent").Object("Position", &TViewport::Position);
    classes.Register<TWidget>("TWidget", "TComponent")
        .ParentSetter([](TWidget* child, TComponent* parent) { child->ParentObject = parent; })
        .Int("Width", &TWidget::SetWidth)
        .Int("Color", &TWidget::Color, ColorNames)
        .Int("Fussy", [](TWidget*, int value) { if (value < 0) throw Exception("Fussy must not be negative"); })
        .Bool("Visible", &TWidget::Visible)
        .Bool("Checked", &TWidget::SetChecked)
        .String("Caption", &TWidget::Caption)
        .Enum("Align", &TWidget::Align, AlignNames)
        .Set("Anchors", &TWidget::Anchors, AnchorNames)
        .Strings("Lines", [](TWidget* w, const TStrings& items) { w->Items.Assign(items); })
        .Object("Items", [](TWidget* w) { return &w->Items; })
        .Binary("Data", &TWidget::ReadData)
        .Object("Viewport", &TWidget::Viewport)
        .Object("Missing", &TWidget::Missing)
        .Component("Target", &TWidget::Target)
        .Component<TWidget>("Buddy", [](TWidget* w, TWidget* buddy) { w->Buddy = buddy; })
        .Event("OnClick", &TWidget::OnClick)
        .Event<TChangeEvent>("OnChange", [](TWidget* w, const TChangeEvent& e) { w->OnChange = e; });
    classes.Register<TFancyWidget>("TFancyWidget", "TWidget").Int("Sparkle", &TFancyWidget::Sparkle);
    classes.Register<TTestForm>("TTestForm", "TWidget")
        .Factory(nullptr)
        .Field("Main", &TTestForm::Main)
        .Field<TFancyWidget>("Fancy", [](TTestForm* form, TFancyWidget* fancy) { form->Fancy = fancy; });
}

}  // namespace formtest
