// The published properties of the class library's visual classes, as form
// descriptions name them, and the name tables their values are read with.
//
// Each Register* function adds its classes to a class registry once (a
// second call on the same registry raises "Class ... is already
// registered"); the program's registry is filled through
// RegisterClassLibraryClasses (FormResources.h). Classes outside the class
// library (skinned controls, the program's forms) register below these and
// read their values with the same tables:
//
//     classes.Register<TMyPanel>("TMyPanel", "TCustomControl")
//         .Value("FrameColor", [](TMyPanel* p, const TFormValue& v) { p->SetFrameColor(FormValueToColor(v)); })
//         .Enum("Align", &TMyPanel::SetAlign, AlignNames);
//
// A control created from a nested object gets the enclosing object as its
// Parent before its properties are set; nesting a control in anything but a
// windowed control is an error.
#pragma once

#include "classlib/core/ClassRegistry.h"
#include "classlib/graphics/Colors.h"
#include "classlib/graphics/Font.h"
#include "classlib/ui/Controls.h"
#include "classlib/ui/Forms.h"
#include "classlib/ui/Menus.h"
#include "classlib/ui/StdCtrls.h"

// clBlack ... clWhite, clLtGray, clDkGray and the system colours (clBtnFace,
// clWindow ...).
extern const TFormEnumTable<TColor> ColorNames;
extern const TFormEnumTable<TCursor> CursorNames;
extern const TFormEnumTable<TAlign> AlignNames;
extern const TFormEnumTable<TAnchors> AnchorNames;
extern const TFormEnumTable<TFontStyles> FontStyleNames;
// ANSI_CHARSET, DEFAULT_CHARSET ... as the platform names them.
extern const TFormEnumTable<int> CharsetNames;
extern const TFormEnumTable<TModalResult> ModalResultNames;
extern const TFormEnumTable<TAlignment> AlignmentNames;
extern const TFormEnumTable<TScrollBarKind> ScrollBarKindNames;
extern const TFormEnumTable<TTextLayout> TextLayoutNames;
extern const TFormEnumTable<TFormBorderStyle> FormBorderStyleNames;
extern const TFormEnumTable<TBorderIcons> BorderIconNames;
extern const TFormEnumTable<TPosition> PositionNames;

// A colour: a name from ColorNames or a number; numbers up to $FFFFFFFF are
// taken as the 32 bits of a TColor ($80000000 + COLOR_xxx for a system
// colour). Raises EFormValueError otherwise.
TColor FormValueToColor(const TFormValue& value);

// TFont, TControl, TWinControl, TGraphicControl, TCustomControl,
// TCustomForm, TForm and TTimer.
void RegisterControlsClasses(TClassRegistry& classes);

// The standard controls (StdCtrls.h and its companions); needs
// RegisterControlsClasses first.
void RegisterStdCtrlsClasses(TClassRegistry& classes);

void RegisterComCtrlsClasses(TClassRegistry& classes);

// TMenuItem, TMenu, TMainMenu, TPopupMenu, TCustomImageList and TImageList.
// A TMenuItem nested in a menu joins the menu's Items, nested in an item it
// joins that item; nested anywhere else it is an error.
void RegisterMenusClasses(TClassRegistry& classes);
