// The screen as the application sees it: its size, the forms that exist and
// the active one, and the cursors. One object, reached through the global
// `Screen` (null once it has been destroyed at exit).
//
// Setting Screen->Cursor to anything but crDefault shows that cursor over
// every window of the application (crHourGlass during a long operation);
// crDefault gives each control its own cursor back.
#pragma once

#include <windows.h>

#include <map>
#include <vector>

#include "classlib/core/Components.h"
#include "classlib/ui/Controls.h"

class TCustomForm;

class TScreen : public TComponent {
public:
    TScreen();
    ~TScreen() override;

    std::string ClassName() const override { return "TScreen"; }

    // The primary monitor's size in pixels.
    int Width() const;
    int Height() const;

    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor cursor);
    // The cursor of an index: the system cursors for crArrow ... crSizeAll,
    // crDefault giving the arrow, those set with SetCursors for others
    // (the arrow when nothing was set).
    HCURSOR Cursors(TCursor index) const;
    void SetCursors(TCursor index, HCURSOR cursor);

    // The form that was activated last; null when none is active.
    TCustomForm* ActiveForm() const { return FActiveForm; }
    int FormCount() const { return static_cast<int>(FForms.size()); }
    // Raises EListError "List index out of bounds (<i>)" outside 0..FormCount-1.
    TCustomForm* Forms(int index) const;

private:
    friend class TCustomForm;
    void AddForm(TCustomForm* form);
    void RemoveForm(TCustomForm* form);
    void SetActiveForm(TCustomForm* form) { FActiveForm = form; }

    TCursor FCursor = crDefault;
    std::map<TCursor, HCURSOR> FCursors;
    std::vector<TCustomForm*> FForms;
    TCustomForm* FActiveForm = nullptr;
};

TScreen* InitScreen();

extern TScreen* Screen;
