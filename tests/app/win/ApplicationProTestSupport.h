// The application component's Wine tests share a fixture (message boxes
// captured, Application settings restored, no WM_QUIT or hidden cursor left
// behind) and small probes.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../../support/MessageBoxes.h"
#include "app/core/ApplicationProRules.h"
#include "classlib/ui/Application.h"

namespace apptest {

inline std::string ModulePath()
{
    char path[MAX_PATH] = {};
    return std::string(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
}

inline std::string TestBaseName() { return ExeBaseName(ModulePath()); }

using testsupport::TakeQuit;

// The cursor's display counter, read without changing it.
inline int CursorCount()
{
    const int count = ShowCursor(TRUE) - 1;
    ShowCursor(FALSE);
    return count;
}

class ApplicationProTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        FTitle = Application->Title();
        while (TakeQuit()) {
        }
    }

    void TearDown() override
    {
        Application->WinHelpProc = nullptr;
        Application->SetHelpFile("");
        Application->SetMainForm(nullptr);
        Application->ShowMainForm = true;
        Application->SetTitle(FTitle);
        while (TakeQuit()) {
        }
        while (CursorCount() < 0)
            ShowCursor(TRUE);
    }

    testsupport::TBoxCapture Boxes;

private:
    std::string FTitle;
};

}  // namespace apptest
