// Screenshots of the OpenGL application under Wine: the file names and
// kinds, Print Screen, and a picture that cannot be written.
#include "gl/GLApplication.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "GLApplicationTestSupport.h"
#include "classlib/graphics/Bitmap.h"
#include "gl/core/GLBinding.h"

namespace {

bool FileExists(const std::string& name) { return GetFileAttributesA(name.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string ReadFile(const std::string& name)
{
    std::ostringstream text;
    text << std::ifstream(name, std::ios::binary).rdbuf();
    return text.str();
}

// In a folder of its own, made the current directory (where Print Screen
// writes), removed afterwards; one frame drawn, all blue.
class GLApplicationShot : public glapptest::GLApplicationTest {
protected:
    void SetUp() override
    {
        GLApplicationTest::SetUp();
        FOldDirectory = std::filesystem::current_path();
        std::filesystem::create_directories(FFolder);
        std::filesystem::current_path(FFolder);
        Build();
        Window->SetColor(RGB(0, 0, 255));
        Tick();
        ASSERT_TRUE(App->OpenGL()->Active());
    }

    void TearDown() override
    {
        GLApplicationTest::TearDown();
        std::filesystem::current_path(FOldDirectory);
        std::filesystem::remove_all(FFolder);
    }

    void PressPrintScreen()
    {
        PostMessageA(Window->Handle(), WM_KEYUP, VK_SNAPSHOT, 0xC0370001);
        Application->ProcessMessages();
    }

private:
    const std::filesystem::path FFolder =
        std::filesystem::temp_directory_path() / ("corvalen-shots-" + std::to_string(GetCurrentProcessId()));
    std::filesystem::path FOldDirectory;
};

}  // namespace

TEST_F(GLApplicationShot, PrintScreenShootsTheNextFrameBeforeItsSwapOrGoesToOnSnapShot)
{
    std::vector<UINT> passedOn;
    App->OnMessage = [&](MSG& msg, bool&) {
        if (msg.message == WM_KEYUP)
            passedOn.push_back(static_cast<UINT>(msg.wParam));
    };
    PressPrintScreen();
    ASSERT_FALSE(App->BaseName().empty());
    EXPECT_FALSE(FileExists(App->BaseName() + "1.jpg")) << "the key only marks the shot";
    Tick();
    EXPECT_TRUE(FileExists(App->BaseName() + "1.jpg"));

    // The shot is of the frame drawn after the key, taken before its swap.
    int snapshots = 0;
    App->OnSnapShot = [&](TObject*) { ++snapshots, App->SaveScreenShot("next.bmp"); };
    PressPrintScreen();
    Draw = [] {
        glClearColor(0, 1, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
    };
    Tick();
    Tick();
    EXPECT_EQ(snapshots, 1);
    EXPECT_FALSE(FileExists(App->BaseName() + "2.jpg"));
    TBitmap bitmap;
    bitmap.LoadFromFile("next2.bmp");
    const auto* row = static_cast<const uint8_t*>(bitmap.ScanLine(FormHeight / 2));
    EXPECT_EQ((std::vector<int>{row[0], row[1], row[2]}), (std::vector<int>{0, 255, 0}));

    PostMessageA(Window->Handle(), WM_KEYUP, 'A', 0xC01E0001);
    Application->ProcessMessages();
    EXPECT_EQ(passedOn, (std::vector<UINT>{'A'})) << "Print Screen is handled, other keys go on";
}

TEST_F(GLApplicationShot, APictureThatCannotBeWrittenIsLoggedAndTheRunGoesOn)
{
    App->SetLogFile(true);
    const std::string blocked = App->BaseName() + "1.jpg";
    ASSERT_TRUE(CreateDirectoryA(blocked.c_str(), nullptr));  // a folder stands where the picture should go
    PressPrintScreen();
    const size_t frames = Steps.size();
    Tick();
    Tick();
    EXPECT_EQ(Steps.size(), frames + 2);
    EXPECT_FALSE(App->SaveScreenShot("missing\\shot.bmp"));
    EXPECT_TRUE(Boxes.empty());
    EXPECT_EQ(glapptest::TakeQuits(), 0);
    App->SetLogFile(false);  // closes the log
    const std::string log = ReadFile(App->LogFileName());
    DeleteFileA(App->LogFileName().c_str());
    EXPECT_NE(log.find("Screenshot " + blocked + " not saved"), std::string::npos) << log;
    EXPECT_NE(log.find("Screenshot missing\\shot2.bmp not saved"), std::string::npos) << log;
}
