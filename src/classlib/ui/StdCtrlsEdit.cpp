// Edit controls: the one-line edit and the memo with its Lines.
#include <algorithm>

#include "classlib/core/SysUtils.h"
#include "classlib/ui/StdCtrls.h"

namespace {

// A memo's lines, read from and written to its text on every access (the
// user may have edited it since). Between BeginUpdate and EndUpdate the
// changes collect here and reach the memo at once, with one OnChange.
class TMemoStrings final : public TStrings {
public:
    explicit TMemoStrings(TCustomMemo* memo) : FMemo(memo) {}

    std::string ClassName() const override { return "TMemoStrings"; }

    int Count() const override { return static_cast<int>(Read().size()); }

    std::string Strings(int index) const override
    {
        const std::vector<std::string> lines = Read();
        CheckIndex(index, static_cast<int>(lines.size()));
        return lines[static_cast<size_t>(index)];
    }

    void Put(int index, const std::string& s) override
    {
        std::vector<std::string> lines = Read();
        CheckIndex(index, static_cast<int>(lines.size()));
        lines[static_cast<size_t>(index)] = s;
        Write(std::move(lines));
    }

    void Insert(int index, const std::string& s) override
    {
        std::vector<std::string> lines = Read();
        CheckIndex(index, static_cast<int>(lines.size()) + 1);
        lines.insert(lines.begin() + index, s);
        Write(std::move(lines));
    }

    void Delete(int index) override
    {
        std::vector<std::string> lines = Read();
        CheckIndex(index, static_cast<int>(lines.size()));
        lines.erase(lines.begin() + index);
        Write(std::move(lines));
    }

    void Clear() override { Write({}); }

protected:
    void SetUpdateState(bool updating) override
    {
        if (updating) {
            FPending = Read();
            FUpdating = true;
        } else {
            FUpdating = false;
            Write(std::move(FPending));
        }
    }

private:
    static void CheckIndex(int index, int count)
    {
        CheckListIndex(index, count);
    }

    std::vector<std::string> Read() const
    {
        if (FUpdating)
            return FPending;
        TStringList split;
        split.SetText(FMemo->Text());
        std::vector<std::string> lines;
        lines.reserve(static_cast<size_t>(split.Count()));
        for (int i = 0; i < split.Count(); ++i)
            lines.push_back(split.Strings(i));
        return lines;
    }

    void Write(std::vector<std::string> lines)
    {
        if (FUpdating) {
            FPending = std::move(lines);
            return;
        }
        std::string text;
        for (const std::string& line : lines)
            text += line + "\r\n";
        FMemo->SetText(text);
    }

    TCustomMemo* FMemo;
    bool FUpdating = false;
    std::vector<std::string> FPending;
};

}  // namespace

// --- TCustomEdit ---------------------------------------------------------------

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner)
{
    // No mouse capture of our own: the window captures the mouse to select.
    SetControlStyle(csDoubleClicks);
    SetColor(clWindow);
    SetTabStop(true);
}

void TCustomEdit::SetMaxLength(int maxLength)
{
    FMaxLength = std::max(maxLength, 0);
    if (HandleAllocated())
        SendMessageA(Handle(), EM_LIMITTEXT, static_cast<WPARAM>(FMaxLength), 0);
}

void TCustomEdit::SetReadOnly(bool readOnly)
{
    FReadOnly = readOnly;
    if (HandleAllocated())
        SendMessageA(Handle(), EM_SETREADONLY, readOnly ? TRUE : FALSE, 0);
}

void TCustomEdit::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    CreateSubClass(params, "EDIT");
    params.ExStyle |= WS_EX_CLIENTEDGE;
    if (FReadOnly)
        params.Style |= ES_READONLY;
}

void TCustomEdit::CreateWnd()
{
    TWinControl::CreateWnd();
    SendMessageA(Handle(), EM_LIMITTEXT, static_cast<WPARAM>(FMaxLength), 0);
}

void TCustomEdit::Change()
{
    Fire(OnChange, this);
}

void TCustomEdit::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case CN_COMMAND:
        if (HIWORD(message.WParam) == EN_CHANGE) {
            Change();
            return;
        }
        break;
    case CM_TEXTCHANGED:
        TWinControl::WndProc(message);
        // A one-line edit window reports text set by code as EN_CHANGE; a
        // multi-line one does not, and without a window nothing does.
        if (!HandleAllocated() || (GetWindowLongA(Handle(), GWL_STYLE) & ES_MULTILINE) != 0)
            Change();
        return;
    }
    TWinControl::WndProc(message);
}

// --- TEdit ---------------------------------------------------------------------

TEdit::TEdit(TComponent* owner) : TCustomEdit(owner)
{
    SetBounds(0, 0, 121, 21);
}

void TEdit::CreateParams(TCreateParams& params)
{
    TCustomEdit::CreateParams(params);
    params.Style |= ES_AUTOHSCROLL;
}

// --- TCustomMemo ---------------------------------------------------------------

TCustomMemo::TCustomMemo(TComponent* owner) : TCustomEdit(owner), FLines(std::make_unique<TMemoStrings>(this))
{
    SetBounds(0, 0, 185, 89);
}

void TCustomMemo::StyleChanged()
{
    RecreateWnd();
}

void TCustomMemo::SetAlignment(TAlignment alignment)
{
    if (alignment == FAlignment)
        return;
    FAlignment = alignment;
    StyleChanged();
}

void TCustomMemo::SetScrollBars(TScrollStyle scrollBars)
{
    if (scrollBars == FScrollBars)
        return;
    FScrollBars = scrollBars;
    StyleChanged();
}

void TCustomMemo::SetWordWrap(bool wordWrap)
{
    if (wordWrap == FWordWrap)
        return;
    FWordWrap = wordWrap;
    StyleChanged();
}

void TCustomMemo::SetHideSelection(bool hideSelection)
{
    if (hideSelection == FHideSelection)
        return;
    FHideSelection = hideSelection;
    StyleChanged();
}

void TCustomMemo::SetOEMConvert(bool oemConvert)
{
    if (oemConvert == FOEMConvert)
        return;
    FOEMConvert = oemConvert;
    StyleChanged();
}

void TCustomMemo::CreateParams(TCreateParams& params)
{
    TCustomEdit::CreateParams(params);
    params.Style |= ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL;
    if (!FWordWrap)
        params.Style |= ES_AUTOHSCROLL;
    if (FScrollBars == ssHorizontal || FScrollBars == ssBoth)
        params.Style |= WS_HSCROLL;
    if (FScrollBars == ssVertical || FScrollBars == ssBoth)
        params.Style |= WS_VSCROLL;
    if (FAlignment == taRightJustify)
        params.Style |= ES_RIGHT;
    else if (FAlignment == taCenter)
        params.Style |= ES_CENTER;
    if (!FHideSelection)
        params.Style |= ES_NOHIDESEL;
    if (FOEMConvert)
        params.Style |= ES_OEMCONVERT;
}

void TCustomMemo::WndProc(TMessage& message)
{
    if (message.Msg == CM_WANTSPECIALKEY) {
        const WPARAM key = message.WParam;
        message.Result = (key == VK_RETURN && FWantReturns) || (key == VK_TAB && FWantTabs) ||
                                 key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN
                             ? 1
                             : 0;
        return;
    }
    if (message.Msg == WM_GETDLGCODE) {
        // A multi-line edit window asks for every key; without WantReturns
        // Return is the form's (its default button), without WantTabs Tab.
        TCustomEdit::WndProc(message);
        if (!FWantReturns)
            message.Result &= ~static_cast<LRESULT>(DLGC_WANTALLKEYS | DLGC_WANTMESSAGE);
        if (!FWantTabs)
            message.Result &= ~static_cast<LRESULT>(DLGC_WANTTAB);
        return;
    }
    TCustomEdit::WndProc(message);
}

void TCustomMemo::KeyPress(char& key)
{
    TCustomEdit::KeyPress(key);
    if ((key == '\r' && !FWantReturns) || (key == '\t' && !FWantTabs))
        key = 0;
}
