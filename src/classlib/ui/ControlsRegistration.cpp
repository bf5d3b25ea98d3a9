#include "classlib/ui/ControlsRegistration.h"

#include <cstdint>
#include <limits>

#include "classlib/ui/ActnList.h"
#include "classlib/ui/Timer.h"

const TFormEnumTable<TColor> ColorNames = {
    {"clBlack", 0x000000},
    {"clMaroon", 0x000080},
    {"clGreen", 0x008000},
    {"clOlive", 0x008080},
    {"clNavy", 0x800000},
    {"clPurple", 0x800080},
    {"clTeal", 0x808000},
    {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},
    {"clLime", 0x00FF00},
    {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},
    {"clFuchsia", 0xFF00FF},
    {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},
    {"clLtGray", 0xC0C0C0},
    {"clDkGray", 0x808080},
    {"clScrollBar", clScrollBar},
    {"clBackground", clBackground},
    {"clActiveCaption", clActiveCaption},
    {"clInactiveCaption", clInactiveCaption},
    {"clMenu", clMenu},
    {"clWindow", clWindow},
    {"clWindowFrame", clWindowFrame},
    {"clMenuText", clMenuText},
    {"clWindowText", clWindowText},
    {"clCaptionText", clCaptionText},
    {"clActiveBorder", clActiveBorder},
    {"clInactiveBorder", clInactiveBorder},
    {"clAppWorkSpace", clAppWorkSpace},
    {"clHighlight", clHighlight},
    {"clHighlightText", clHighlightText},
    {"clBtnFace", clBtnFace},
    {"clBtnShadow", clBtnShadow},
    {"clGrayText", clGrayText},
    {"clBtnText", clBtnText},
    {"clInactiveCaptionText", clInactiveCaptionText},
    {"clBtnHighlight", clBtnHighlight},
    {"cl3DDkShadow", cl3DDkShadow},
    {"cl3DLight", cl3DLight},
    {"clInfoText", clInfoText},
    {"clInfoBk", clInfoBk},
};

const TFormEnumTable<TCursor> CursorNames = {
    {"crDefault", crDefault},   {"crNone", crNone},         {"crArrow", crArrow},       {"crCross", crCross},
    {"crIBeam", crIBeam},       {"crSizeNESW", crSizeNESW}, {"crSizeNS", crSizeNS},     {"crSizeNWSE", crSizeNWSE},
    {"crSizeWE", crSizeWE},     {"crUpArrow", crUpArrow},   {"crHourGlass", crHourGlass}, {"crNo", crNo},
    {"crAppStart", crAppStart}, {"crHelp", crHelp},         {"crHandPoint", crHandPoint}, {"crSizeAll", crSizeAll},
    {"crDrag", crDrag},         {"crNoDrop", crNoDrop},
};

const TFormEnumTable<TAlign> AlignNames = {{"alNone", alNone}, {"alTop", alTop},     {"alBottom", alBottom},
                                           {"alLeft", alLeft}, {"alRight", alRight}, {"alClient", alClient}};

const TFormEnumTable<TAnchors> AnchorNames = {
    {"akLeft", akLeft}, {"akTop", akTop}, {"akRight", akRight}, {"akBottom", akBottom}};

const TFormEnumTable<TFontStyles> FontStyleNames = {
    {"fsBold", fsBold}, {"fsItalic", fsItalic}, {"fsUnderline", fsUnderline}, {"fsStrikeOut", fsStrikeOut}};

const TFormEnumTable<int> CharsetNames = {
    {"ANSI_CHARSET", ANSI_CHARSET},
    {"DEFAULT_CHARSET", DEFAULT_CHARSET},
    {"SYMBOL_CHARSET", SYMBOL_CHARSET},
    {"MAC_CHARSET", MAC_CHARSET},
    {"SHIFTJIS_CHARSET", SHIFTJIS_CHARSET},
    {"HANGEUL_CHARSET", HANGEUL_CHARSET},
    {"JOHAB_CHARSET", JOHAB_CHARSET},
    {"GB2312_CHARSET", GB2312_CHARSET},
    {"CHINESEBIG5_CHARSET", CHINESEBIG5_CHARSET},
    {"GREEK_CHARSET", GREEK_CHARSET},
    {"TURKISH_CHARSET", TURKISH_CHARSET},
    {"VIETNAMESE_CHARSET", VIETNAMESE_CHARSET},
    {"HEBREW_CHARSET", HEBREW_CHARSET},
    {"ARABIC_CHARSET", ARABIC_CHARSET},
    {"BALTIC_CHARSET", BALTIC_CHARSET},
    {"RUSSIAN_CHARSET", RUSSIAN_CHARSET},
    {"THAI_CHARSET", THAI_CHARSET},
    {"EASTEUROPE_CHARSET", EASTEUROPE_CHARSET},
    {"OEM_CHARSET", OEM_CHARSET},
};

const TFormEnumTable<TModalResult> ModalResultNames = {
    {"mrNone", mrNone},   {"mrOk", mrOk},         {"mrCancel", mrCancel}, {"mrAbort", mrAbort},
    {"mrRetry", mrRetry}, {"mrIgnore", mrIgnore}, {"mrYes", mrYes},       {"mrNo", mrNo}};

const TFormEnumTable<TFormBorderStyle> FormBorderStyleNames = {
    {"bsNone", bsNone},     {"bsSingle", bsSingle},         {"bsSizeable", bsSizeable},
    {"bsDialog", bsDialog}, {"bsToolWindow", bsToolWindow}, {"bsSizeToolWin", bsSizeToolWin}};

const TFormEnumTable<TBorderIcons> BorderIconNames = {
    {"biSystemMenu", biSystemMenu}, {"biMinimize", biMinimize}, {"biMaximize", biMaximize}, {"biHelp", biHelp}};

const TFormEnumTable<TPosition> PositionNames = {
    {"poDesigned", poDesigned},           {"poDefault", poDefault},
    {"poDefaultPosOnly", poDefaultPosOnly}, {"poDefaultSizeOnly", poDefaultSizeOnly},
    {"poScreenCenter", poScreenCenter},   {"poDesktopCenter", poDesktopCenter},
    {"poMainFormCenter", poMainFormCenter}, {"poOwnerFormCenter", poOwnerFormCenter}};

namespace {

const TFormEnumTable<TDefaultMonitor> DefaultMonitorNames = {
    {"dmDesktop", dmDesktop}, {"dmPrimary", dmPrimary}, {"dmMainForm", dmMainForm}, {"dmActiveForm", dmActiveForm}};
const TFormEnumTable<TWindowState> WindowStateNames = {
    {"wsNormal", wsNormal}, {"wsMinimized", wsMinimized}, {"wsMaximized", wsMaximized}};
const TFormEnumTable<TDragMode> DragModeNames = {{"dmManual", dmManual}, {"dmAutomatic", dmAutomatic}};
const TFormEnumTable<TDragKind> DragKindNames = {{"dkDrag", dkDrag}, {"dkDock", dkDock}};
const TFormEnumTable<TFormStyle> FormStyleNames = {
    {"fsNormal", fsNormal}, {"fsMDIChild", fsMDIChild}, {"fsMDIForm", fsMDIForm}, {"fsStayOnTop", fsStayOnTop}};

// Attaches a control read from a nested object to the object enclosing it.
void SetControlParent(TControl* control, TComponent* parent)
{
    auto* windowed = dynamic_cast<TWinControl*>(parent);
    if (windowed == nullptr)
        throw Exception("'" + parent->Name() + "' (" + parent->ClassName() +
                        ") is not a windowed control and cannot contain controls");
    control->SetParent(windowed);
}

// A form's size in a description is its client size: another border,
// whether written before or after ClientWidth and ClientHeight, keeps it.
void SetFormBorderStyle(TCustomForm* form, TFormBorderStyle style)
{
    const int clientWidth = form->ClientWidth();
    const int clientHeight = form->ClientHeight();
    form->SetBorderStyle(style);
    form->SetClientWidth(clientWidth);
    form->SetClientHeight(clientHeight);
}

void RegisterFont(TClassRegistry& classes)
{
    classes.Register<TFont>("TFont", "TPersistent")
        .String("Name", &TFont::SetName)
        .Int("Height", &TFont::SetHeight)
        .Int("Size", &TFont::SetSize)
        .Set("Style", &TFont::SetStyle, FontStyleNames)
        .Value("Color", [](TFont* font, const TFormValue& value) { font->SetColor(FormValueToColor(value)); })
        .Int("Charset", [](TFont* font, int charset) {
            if (charset < 0 || charset > 255)
                throw EFormValueError("charset " + std::to_string(charset) + " out of range");
            font->SetCharset(static_cast<TFontCharset>(charset));
        }, CharsetNames);
}

void RegisterControl(TClassRegistry& classes)
{
    classes.Register<TControl>("TControl", "TComponent")
        .Factory(nullptr)
        .ParentSetter(&SetControlParent)
        .Int("Left", &TControl::SetLeft)
        .Int("Top", &TControl::SetTop)
        .Int("Width", &TControl::SetWidth)
        .Int("Height", &TControl::SetHeight)
        .Int("ClientWidth", &TControl::SetClientWidth)
        .Int("ClientHeight", &TControl::SetClientHeight)
        .Enum("Align", &TControl::SetAlign, AlignNames)
        .Set("Anchors", &TControl::SetAnchors, AnchorNames)
        .String("Caption", &TControl::SetCaption)
        .String("Text", &TControl::SetText)
        .Value("Color", [](TControl* control, const TFormValue& value) { control->SetColor(FormValueToColor(value)); })
        .Bool("ParentColor", &TControl::SetParentColor)
        .Object("Font", &TControl::Font)
        .Bool("ParentFont", &TControl::SetParentFont)
        .Bool("Visible", &TControl::SetVisible)
        .Bool("Enabled", &TControl::SetEnabled)
        .String("Hint", &TControl::SetHint)
        .Int("Cursor", &TControl::SetCursor, CursorNames)
        .Bool("ShowHint", &TControl::SetShowHint)
        .Bool("ParentShowHint", &TControl::SetParentShowHint)
        .Component<TCustomAction>("Action", &TControl::SetAction)
        .Component<TPopupMenu>("PopupMenu", &TControl::SetPopupMenu)
        .Enum("DragMode", &TControl::SetDragMode, DragModeNames)
        .Enum("DragKind", &TControl::SetDragKind, DragKindNames)
        .Int("DragCursor", &TControl::SetDragCursor, CursorNames)
        .Event("OnStartDrag", &TControl::OnStartDrag)
        .Event("OnDragOver", &TControl::OnDragOver)
        .Event("OnDragDrop", &TControl::OnDragDrop)
        .Event("OnEndDrag", &TControl::OnEndDrag)
        .Event("OnStartDock", &TControl::OnStartDock)
        .Event("OnEndDock", &TControl::OnEndDock)
        .Event("OnClick", &TControl::OnClick)
        .Event("OnDblClick", &TControl::OnDblClick)
        .Event("OnMouseDown", &TControl::OnMouseDown)
        .Event("OnMouseMove", &TControl::OnMouseMove)
        .Event("OnMouseUp", &TControl::OnMouseUp)
        .Event("OnMouseEnter", &TControl::OnMouseEnter)
        .Event("OnMouseLeave", &TControl::OnMouseLeave)
        .Event("OnMouseWheel", &TControl::OnMouseWheel)
        .Event("OnMouseWheelDown", &TControl::OnMouseWheelDown)
        .Event("OnMouseWheelUp", &TControl::OnMouseWheelUp)
        .Event("OnResize", &TControl::OnResize);

    classes.Register<TWinControl>("TWinControl", "TControl")
        .Factory(nullptr)
        .Bool("TabStop", &TWinControl::SetTabStop)
        .Int("TabOrder", &TWinControl::SetTabOrder)
        .Int("BorderWidth", &TWinControl::SetBorderWidth)
        .Bool("DockSite", &TWinControl::DockSite)
        .Event("OnGetSiteInfo", &TWinControl::OnGetSiteInfo)
        .Event("OnDockOver", &TWinControl::OnDockOver)
        .Event("OnDockDrop", &TWinControl::OnDockDrop)
        .Event("OnUnDock", &TWinControl::OnUnDock)
        .Event("OnKeyDown", &TWinControl::OnKeyDown)
        .Event("OnKeyPress", &TWinControl::OnKeyPress)
        .Event("OnKeyUp", &TWinControl::OnKeyUp)
        .Event("OnEnter", &TWinControl::OnEnter)
        .Event("OnExit", &TWinControl::OnExit);

    classes.Register<TGraphicControl>("TGraphicControl", "TControl").Factory(nullptr);
    classes.Register<TCustomControl>("TCustomControl", "TWinControl").Factory(nullptr);
}

void RegisterForm(TClassRegistry& classes)
{
    // Forms read their descriptions into themselves: a description does not
    // create them.
    classes.Register<TCustomForm>("TCustomForm", "TWinControl")
        .Factory(nullptr)
        .Enum("BorderStyle", &SetFormBorderStyle, FormBorderStyleNames)
        .Set("BorderIcons", &TCustomForm::SetBorderIcons, BorderIconNames)
        .Enum("Position", &TCustomForm::SetPosition, PositionNames)
        .Enum("DefaultMonitor", &TCustomForm::SetDefaultMonitor, DefaultMonitorNames)
        .Enum("WindowState", &TCustomForm::SetWindowState, WindowStateNames)
        .Enum("FormStyle", &TCustomForm::SetFormStyle, FormStyleNames)
        .Bool("AutoScroll", &TCustomForm::SetAutoScroll)
        .Component<TMainMenu>("Menu", &TCustomForm::SetMenu)
        .Event("OnCreate", &TCustomForm::OnCreate)
        .Event("OnShow", &TCustomForm::OnShow)
        .Event("OnHide", &TCustomForm::OnHide)
        .Event("OnClose", &TCustomForm::OnClose)
        .Event("OnCloseQuery", &TCustomForm::OnCloseQuery)
        .Event("OnActivate", &TCustomForm::OnActivate)
        .Event("OnDeactivate", &TCustomForm::OnDeactivate)
        .Event("OnPaint", &TCustomForm::OnPaint)
        .Event("OnDestroy", &TCustomForm::OnDestroy)
        .Event("OnShortCut", &TCustomForm::OnShortCut);
    classes.Register<TForm>("TForm", "TCustomForm").Factory(nullptr);
}

void RegisterTimer(TClassRegistry& classes)
{
    classes.Register<TTimer>("TTimer", "TComponent")
        .Bool("Enabled", &TTimer::SetEnabled)
        .Int("Interval", [](TTimer* timer, int interval) {
            if (interval < 0)
                throw EFormValueError("interval must not be negative");
            timer->SetInterval(static_cast<unsigned>(interval));
        })
        .Event("OnTimer", &TTimer::OnTimer);
}

}  // namespace

TColor FormValueToColor(const TFormValue& value)
{
    if (value.Kind == TFormValueKind::Identifier) {
        TColor color = 0;
        if (!FormLookupName(ColorNames, value.Text, color))
            throw EFormValueError("unknown colour '" + value.Text + "'");
        return color;
    }
    if (value.Kind != TFormValueKind::Integer)
        throw EFormValueError("colour expected, found " + FormValueKindName(value.Kind));
    if (value.Integer < std::numeric_limits<int32_t>::min() || value.Integer > std::numeric_limits<uint32_t>::max())
        throw EFormValueError("colour " + std::to_string(value.Integer) + " out of range");
    return static_cast<TColor>(static_cast<uint32_t>(value.Integer));
}

void RegisterControlsClasses(TClassRegistry& classes)
{
    RegisterFont(classes);
    RegisterControl(classes);
    RegisterForm(classes);
    RegisterTimer(classes);
}
