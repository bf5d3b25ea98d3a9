// The program's saver runs beside one another and beside their ".EXE" copy,
// under Wine: a password change with "Run as program" stored, a second saver
// that the single-instance guard turns away, and where a run told to run as
// a program looks for its copy.
#include <windows.h>

#include <tlhelp32.h>

#include "ProgramRun.h"
#include "ProgramStandIns.h"

using namespace endtoend;

namespace {

// What SystemParametersInfo(SPI_GETSCREENSAVERRUNNING) answers a process
// that starts now (this one keeps the value it last read or set): 1 or 0,
// or 2 when the question could not be asked.
DWORD SaverRunningFlag()
{
    const std::string program = ProgramPath();
    TRun ask(program.substr(0, program.find("..\\")) + "SaverRunningFlag.exe", "");
    if (!ask.Started() || !ask.WaitForEnd(EndBound))
        return 2;
    return ask.ExitCode();
}

// Waits for every running process of that file name to end; false when one
// is still running after `ms`.
bool ProcessesEnded(const std::string& fileName, DWORD ms)
{
    const TKernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    bool ended = true;
    for (BOOL more = Process32First(snapshot.Get(), &entry); more; more = Process32Next(snapshot.Get(), &entry)) {
        if (_stricmp(entry.szExeFile, fileName.c_str()) != 0)
            continue;
        const TKernelHandle process(OpenProcess(SYNCHRONIZE, FALSE, entry.th32ProcessID));
        if (process && WaitForSingleObject(process.Get(), ms) != WAIT_OBJECT_0)
            ended = false;
    }
    return ended;
}

size_t Occurrences(const std::string& text, const std::string& part)
{
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size()))
        ++count;
    return count;
}

// With "Run as program" stored and the ".EXE" copy beside it, "/a" changes
// the password once: the password change never hands over to the copy,
// which would change it again (the stand-in MPR.DLL records the calls of
// both programs).
TEST_F(ProgramEndToEnd, APasswordChangeWithRunAsProgramStoredChangesThePasswordOnce)
{
    const std::string saver = Dir.Path() + "CorvalenPassword.scr";
    ASSERT_TRUE(CopyFileA(ProgramPath().c_str(), saver.c_str(), FALSE));
    ASSERT_TRUE(CopyFileA(ProgramPath().c_str(), (Dir.Path() + "CorvalenPassword.EXE").c_str(), FALSE));
    SetOption(HKEY_CURRENT_USER, "RunAsProgram", "-1");
    {
        const TMprStandIn mpr({"CorvalenPassword.scr", "CorvalenPassword.EXE"}, Dir.Path() + "calls.txt");
        ASSERT_TRUE(mpr.Installed()) << TMprStandIn::StandInLibrary();
        TRun run(saver, "/a", Dir.Path());
        ASSERT_TRUE(run.Started());
        EXPECT_TRUE(run.WaitForEnd(EndBound));
        EXPECT_TRUE(ProcessesEnded("CorvalenPassword.EXE", EndBound));
    }
    const std::string calls = Dir.Read("calls.txt");
    EXPECT_EQ(Occurrences(calls, "SCRSAVE,"), 1u) << calls;
}

// A second saver that the guard turns away ends without touching what the
// first one set: the system's flag stays set, and the first saver's window
// still covers the screen and shows the aquarium.
TEST_F(ProgramEndToEnd, ASecondSaverEndsAndLeavesTheSystemsFlagAndTheScreenToTheFirst)
{
    TRun first(ProgramPath(), "/s", Dir.Path());
    ASSERT_TRUE(first.Started()) << ProgramPath();
    const HWND window = first.WaitForWindow(ReadyBound, CoversTheScreen);
    ASSERT_NE(window, nullptr) << "no full-screen window";
    ASSERT_EQ(SaverRunningFlag(), 1u) << "the first saver did not tell the system";
    {
        TRun second(ProgramPath(), "/s", Dir.Path());
        ASSERT_TRUE(second.Started());
        EXPECT_TRUE(second.WaitForEnd(EndBound)) << "the second saver runs beside the first";
    }
    EXPECT_EQ(SaverRunningFlag(), 1u) << "the second saver cleared the system's flag";
    EXPECT_FALSE(first.WaitForEnd(0)) << "the first saver ended";
    EXPECT_TRUE(IsWindow(window) && CoversTheScreen(window)) << "the first saver's window no longer covers the screen";
    EXPECT_TRUE(ShowsAPicture(window, EndBound));
    PressKey(window, VK_SPACE);
    EXPECT_TRUE(first.WaitForEnd(EndBound)) << "a key did not end the saver";
    EXPECT_EQ(SaverRunningFlag(), 0u) << "the saver's end did not clear the flag";
}

// A stored data folder that holds the program under its own file name, with
// no ".EXE" copy, is taken: the run looks for its copy there, finds none and
// runs as the saver itself, although a copy lies beside the saver.
TEST_F(ProgramEndToEnd, AStoredDataFolderHoldingTheSaverUnderItsOwnNameIsWhereTheCopyIsLookedFor)
{
    const std::string folder = Dir.Path() + "saver\\", installed = Dir.Path() + "installed\\";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA(installed.c_str(), nullptr));
    ASSERT_TRUE(CopyFileA(ProgramPath().c_str(), (folder + "Corvalen.scr").c_str(), FALSE));
    ASSERT_TRUE(CopyFileA(ProgramPath().c_str(), (folder + "Corvalen.EXE").c_str(), FALSE));
    ASSERT_TRUE(CopyFileA(ProgramPath().c_str(), (installed + "Corvalen.scr").c_str(), FALSE));
    SetOption(HKEY_CURRENT_USER, "RunAsProgram", "-1");
    SetOption(HKEY_CURRENT_USER, "DataDir", installed);

    TRun run(folder + "Corvalen.scr", "/s", folder);
    ASSERT_TRUE(run.Started());
    const HWND window = TRun::WaitForWindowOf(0, ReadyBound, CoversTheScreen, GetCurrentProcessId());
    ASSERT_NE(window, nullptr) << "no full-screen window";
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    EXPECT_EQ(owner, run.ProcessId()) << "the run handed over to the copy beside it";
    PressKey(window, VK_SPACE);
    EXPECT_TRUE(run.WaitForEnd(EndBound)) << "a key did not end the saver";
    EXPECT_TRUE(ProcessesEnded("Corvalen.EXE", EndBound));
}

}  // namespace
