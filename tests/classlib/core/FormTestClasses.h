// Small streamable classes for the form-reader tests: one of every property
// kind, a nested sub-object chain, a parent link, and a journal of what the
// reader does to them.
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
// An integer property that also takes colour names.
enum TColorName : int { clRed = 0xFF, clBlue = 0xFF0000 };

inline const TFormEnumTable<TAlign> AlignNames = {{"alNone", alNone}, {"alTop", alTop}, {"alClient", alClient}};
inline const TFormEnumTable<unsigned> AnchorNames = {
    {"akLeft", akLeft}, {"akTop", akTop}, {"akRight", akRight}, {"akBottom", akBottom}};
inline const TFormEnumTable<TColorName> ColorNames = {{"clRed", clRed}, {"clBlue", clBlue}};

// What the reader did, in order: "Loaded W1 [Target=W2 OnClick=set]" and
// whatever the setters add.
inline std::vector<std::string>* Journal = nullptr;

inline void Note(const std::string& entry)
{
    if (Journal != nullptr)
        Journal->push_back(entry);
}

struct TVector : TPersistent {
    std::string ClassName() const override { return "TVector"; }
    double X = 0, Y = 0, Z = 0;
};

struct TCamera : TPersistent {
    std::string ClassName() const override { return "TCamera"; }
    TVector Position;
};

struct TViewport : TPersistent {
    std::string ClassName() const override { return "TViewport"; }
    TCamera Camera;
    int Width = 0;
};

class TWidget : public TComponent {
public:
    explicit TWidget(TComponent* owner) : TComponent(owner) {}
    std::string ClassName() const override { return "TWidget"; }

    void Loaded() override
    {
        Note("Loaded " + Name() + " [Target=" + (Target != nullptr ? Target->Name() : "nil") +
             " OnClick=" + (OnClick ? "set" : "nil") + "]");
        TComponent::Loaded();
    }

    void SetWidth(int width);
    // Setting Checked fires OnClick, as a check box does.
    void SetChecked(bool checked)
    {
        Checked = checked;
        if (OnClick)
            OnClick(this);
    }
    void SetItems(const TStrings& items) { Items.Assign(items); }
    // The binary property: a 32-bit length, then that many bytes.
    void ReadData(TStream& stream)
    {
        int32_t length = 0;
        stream.ReadBuffer(&length, sizeof length);
        Data.assign(static_cast<size_t>(length < 0 ? 0 : length), '\0');
        stream.ReadBuffer(Data.data(), static_cast<int64_t>(Data.size()));
    }
    void SetFussy(int value)
    {
        if (value < 0)
            throw Exception("Fussy must not be negative");
        Fussy = value;
    }

    int Width = 0;
    TComponentState StateAtWidth = 0;
    bool InFieldAtWidth = false;  // the form's field held this widget already
    int Color = 0;
    int Fussy = 0;
    double Scale = 0;
    bool Visible = true;
    bool Checked = false;
    std::string Caption;
    TAlign Align = alNone;
    unsigned Anchors = 0;
    TStringList Items;
    std::string Data;
    TViewport Viewport;
    TViewport* Missing = nullptr;
    TComponent* Target = nullptr;
    TWidget* Buddy = nullptr;
    TComponent* ParentObject = nullptr;
    TNotifyEvent OnClick;
    TChangeEvent OnChange;
};

// Inherits every TWidget property and adds one.
class TFancyWidget : public TWidget {
public:
    using TWidget::TWidget;
    std::string ClassName() const override { return "TFancyWidget"; }
    int Sparkle = 0;
};

// The form: read into an existing instance; its fields receive the
// components "Main" and "Fancy".
class TTestForm : public TWidget {
public:
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
    classes.Register<TVector>("TVector", "TPersistent").Real("X", &TVector::X).Real("Y", &TVector::Y).Real("Z", &TVector::Z);
    classes.Register<TCamera>("TCamera", "TPersistent").Object("Position", &TCamera::Position);
    classes.Register<TViewport>("TViewport", "TPersistent").Object("Camera", &TViewport::Camera).Int("Width", &TViewport::Width);
    classes.Register<TWidget>("TWidget", "TComponent")
        .ParentSetter([](TWidget* child, TComponent* parent) { child->ParentObject = parent; })
        .Int("Width", &TWidget::SetWidth)
        .Int("Color", &TWidget::Color, ColorNames)
        .Int("Fussy", &TWidget::SetFussy)
        .Real("Scale", &TWidget::Scale)
        .Bool("Visible", &TWidget::Visible)
        .Bool("Checked", &TWidget::SetChecked)
        .String("Caption", &TWidget::Caption)
        .Enum("Align", &TWidget::Align, AlignNames)
        .Set("Anchors", &TWidget::Anchors, AnchorNames)
        .Strings("Lines", &TWidget::SetItems)
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
