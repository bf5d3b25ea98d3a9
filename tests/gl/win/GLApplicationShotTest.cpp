// Screenshots of the OpenGL application under Wine: the file names and
// kinds, Print Screen, the written picture read back, and a picture that
// cannot be written, which is logged while the run goes on.
#include "gl/GLApplication.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "GLApplicationTestSupport.h"
#include "classlib/graphics/Bitmap.h"
#include "gl/core/GLBinding.h"

namespace {

using glapptest::TakeQuits;

bool FileExists(const std::string& name)
{
    const DWORD attributes = GetFileAttributesA(name.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::string ReadFile(const std::string& name)
{
    std::ifstream file(name, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// Runs in a folder of its own, made the current directory (where Print
// Screen writes), removed with everything in it afterwards.
class GLApplicationShot : public glapptest::GLApplicationTest {
protected:
    void SetUp() override
    {
        GLApplicationTest::SetUp();
        char path[MAX_PATH] = {};
        GetCurrentDirectoryA(MAX_PATH, path);
        FOldDirectory = path;
        GetTempPathA(MAX_PATH, path);
        Folder = std::string(path) + "corvalen-shots-" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(Folder.c_str(), nullptr);
        ASSERT_TRUE(SetCurrentDirectoryA(Folder.c_str()));
    }

    void TearDown() override
    {
        GLApplicationTest::TearDown();
        SetCurrentDirectoryA(FOldDirectory.c_str());
        WIN32_FIND_DATAA found;
        const HANDLE search = FindFirstFileA((Folder + "\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                const std::string name = Folder + "\\" + found.cFileName;
                if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    RemoveDirectoryA(name.c_str());
                else
                    DeleteFileA(name.c_str());
            } while (FindNextFileA(search, &found));
            FindClose(search);
        }
        RemoveDirectoryA(Folder.c_str());
    }

    // A built application whose frames are blue below and red above the
    // middle; one frame drawn.
    void BuildAndDraw()
    {
        Build();
        Window->SetColor(RGB(0, 0, 255));
        Draw = [] {
            glMatrixMode(GL_PROJECTION);
            glLoadIdentity();
            glOrtho(0, FormWidth, 0, FormHeight, -1, 1);
            glMatrixMode(GL_MODELVIEW);
            glLoadIdentity();
            glDisable(GL_DEPTH_TEST);
            const GLubyte red[4] = {255, 0, 0, 255};
            glColor4ubv(red);
            glBegin(GL_QUADS);
            glVertex2i(0, FormHeight / 2);
            glVertex2i(FormWidth, FormHeight / 2);
            glVertex2i(FormWidth, FormHeight);
            glVertex2i(0, FormHeight);
            glEnd();
        };
        Tick();
        ASSERT_TRUE(App->OpenGL()->Active());
    }

    void PressPrintScreen()
    {
        PostMessageA(Window->Handle(), WM_KEYUP, VK_SNAPSHOT, 0xC0370001);
        Application->ProcessMessages();
    }

    int Captures() { return App->OpenGL()->ScreenShot().CaptureCount(); }

    std::string Folder;

private:
    std::string FOldDirectory;
};

// The B, G, R bytes of a 24-bit bitmap's pixel.
std::vector<int> BGRAt(TBitmap& bitmap, int x, int y)
{
    const auto* row = static_cast<const uint8_t*>(bitmap.ScanLine(y));
    return {row[x * 3], row[x * 3 + 1], row[x * 3 + 2]};
}

}  // namespace

TEST_F(GLApplicationShot, TheCounterGoesBeforeTheFirstDotAndTheExtensionChoosesThePicture)
{
    BuildAndDraw();
    EXPECT_TRUE(App->SaveScreenShot("fish.jpg"));
    EXPECT_TRUE(App->SaveScreenShot("fish.jpg"));
    EXPECT_TRUE(App->SaveScreenShot("fish.jpg"));
    EXPECT_TRUE(FileExists("fish1.jpg"));
    EXPECT_TRUE(FileExists("fish2.jpg"));
    ASSERT_TRUE(FileExists("fish3.jpg"));
    EXPECT_EQ(ReadFile("fish3.jpg").substr(0, 3), "\xFF\xD8\xFF") << "a JPEG file";

    // No "." after the first character: no counter. No extension: no file.
    EXPECT_FALSE(App->SaveScreenShot("nodot"));
    EXPECT_FALSE(FileExists("nodot"));
    EXPECT_FALSE(FileExists("nodot4"));
    EXPECT_TRUE(App->SaveScreenShot(".jpg"));
    EXPECT_TRUE(FileExists(".jpg"));
    EXPECT_FALSE(App->SaveScreenShot("shot.png"));
    EXPECT_FALSE(FileExists("shot6.png"));
    EXPECT_EQ(Captures(), 6);

    // Upper-case ".BMP" is a bitmap; its rows are top-down BGR of the frame.
    ASSERT_TRUE(App->SaveScreenShot("shot.BMP"));
    ASSERT_TRUE(FileExists("shot7.BMP"));
    EXPECT_EQ(ReadFile("shot7.BMP").substr(0, 2), "BM");
    TBitmap bitmap;
    bitmap.LoadFromFile("shot7.BMP");
    ASSERT_EQ(bitmap.Width(), FormWidth);
    ASSERT_EQ(bitmap.Height(), FormHeight);
    for (int x : {0, FormWidth / 2, FormWidth - 1}) {
        EXPECT_EQ(BGRAt(bitmap, x, 0), (std::vector<int>{0, 0, 255})) << "top row, x " << x;
        EXPECT_EQ(BGRAt(bitmap, x, FormHeight - 1), (std::vector<int>{255, 0, 0})) << "bottom row, x " << x;
    }
}

TEST_F(GLApplicationShot, PrintScreenSavesTheFrameUnderTheBaseNameOrGoesToOnSnapShot)
{
    BuildAndDraw();
    std::vector<UINT> passedOn;
    App->OnMessage = [&](MSG& msg, bool&) {
        if (msg.message == WM_KEYUP)
            passedOn.push_back(static_cast<UINT>(msg.wParam));
    };
    PressPrintScreen();
    ASSERT_FALSE(App->BaseName().empty());
    EXPECT_TRUE(FileExists(App->BaseName() + "1.jpg"));
    EXPECT_TRUE(passedOn.empty()) << "Print Screen is handled";

    int snapshots = 0;
    App->OnSnapShot = [&](TObject* sender) {
        EXPECT_EQ(sender, App);
        ++snapshots;
    };
    PressPrintScreen();
    EXPECT_EQ(snapshots, 1);
    EXPECT_EQ(Captures(), 1);
    EXPECT_FALSE(FileExists(App->BaseName() + "2.jpg"));

    // Other keys go on as usual.
    PostMessageA(Window->Handle(), WM_KEYUP, 'A', 0xC01E0001);
    Application->ProcessMessages();
    EXPECT_EQ(passedOn, (std::vector<UINT>{'A'}));
}

TEST_F(GLApplicationShot, APictureThatCannotBeWrittenIsLoggedAndTheRunGoesOn)
{
    BuildAndDraw();
    App->SetLogFile(true);
    // A folder stands where the picture should go.
    const std::string blocked = App->BaseName() + "1.jpg";
    ASSERT_TRUE(CreateDirectoryA(blocked.c_str(), nullptr));
    PressPrintScreen();
    EXPECT_FALSE(App->SaveScreenShot("missing\\shot.bmp"));

    EXPECT_TRUE(Boxes.empty());
    EXPECT_EQ(TakeQuits(), 0);
    EXPECT_FALSE(Application->Terminated());
    const size_t frames = Steps.size();
    Tick();
    EXPECT_EQ(Steps.size(), frames + 1);

    App->SetLogFile(false);  // closes the log
    const std::string log = ReadFile(App->LogFileName());
    DeleteFileA(App->LogFileName().c_str());
    EXPECT_NE(log.find("Screenshot " + blocked + " not saved"), std::string::npos) << log;
    EXPECT_NE(log.find("Screenshot missing\\shot2.bmp not saved"), std::string::npos) << log;
}
