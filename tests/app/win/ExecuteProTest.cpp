// The process launcher under Wine. The processes it starts are the test
// helper app_test_sleeper.exe (built next to this program), which sleeps
// for the milliseconds given and exits with code 7.
#include "app/ExecutePro.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "classlib/core/SysUtils.h"
#include "classlib/ui/Application.h"

namespace {

std::string TestDirectory()
{
    char path[MAX_PATH] = {};
    return ExtractFilePath(std::string(path, GetModuleFileNameA(nullptr, path, MAX_PATH)));
}

std::string SleeperPath()
{
    return TestDirectory() + "app_test_sleeper.exe";
}

// CPU time (user and kernel) of the calling thread so far, in milliseconds.
long long ThreadCpuMilliseconds()
{
    FILETIME creation{}, exit{}, kernel{}, user{};
    GetThreadTimes(GetCurrentThread(), &creation, &exit, &kernel, &user);
    const auto ticks = [](const FILETIME& t) {
        return (static_cast<long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    return (ticks(kernel) + ticks(user)) / 10000;
}

long long MillisecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
}

// Captures the message boxes of the application while it lives.
struct TMessageBoxCapture {
    std::vector<std::string> Texts;
    std::vector<UINT> Flags;

    TMessageBoxCapture()
    {
        Application->MessageBoxProc = [this](HWND, const std::string& text, const std::string&, UINT flags) {
            Texts.push_back(text);
            Flags.push_back(flags);
            return IDOK;
        };
    }
    ~TMessageBoxCapture() { Application->MessageBoxProc = nullptr; }
};

}  // namespace

TEST(ExecuteProTest, TheCommandLineSetsProgramParametersAndDirectory)
{
    TExecutePro execute(nullptr);
    execute.SetCommandLine("C:\\dir\\prog.exe /s");
    EXPECT_EQ(execute.CommandLine(), "C:\\dir\\prog.exe /s");
    EXPECT_EQ(execute.ProgramName(), "C:\\dir\\prog.exe");
    EXPECT_EQ(execute.Parameters(), "/s");
    EXPECT_EQ(execute.DefaultDirectory, "C:\\dir\\");

    // A directory once set is kept.
    execute.SetCommandLine("D:\\other\\tool.exe");
    EXPECT_EQ(execute.DefaultDirectory, "C:\\dir\\");
    EXPECT_EQ(execute.Parameters(), "");
}

TEST(ExecuteProTest, ADocumentGoesToTheShellHidden)
{
    TExecutePro execute(nullptr);
    execute.WindowStyle = ewShow;  // a document is opened hidden all the same
    std::vector<TShellCall> calls;
    execute.ShellExecuteProc = [&](const TShellCall& call) { calls.push_back(call); };
    int processes = 0;
    execute.CreateProcessProc = [&](LPSTR, DWORD, LPCSTR, STARTUPINFOA&, PROCESS_INFORMATION&) {
        ++processes;
        return FALSE;
    };
    execute.Execute("C:\\dir\\readme.txt");
    EXPECT_EQ(processes, 0);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].FileName, "C:\\dir\\readme.txt");
    EXPECT_FALSE(calls[0].Parameters.has_value());
    EXPECT_EQ(calls[0].Directory, "C:\\dir\\");
    EXPECT_EQ(calls[0].ShowCommand, SW_HIDE);
}

TEST(ExecuteProTest, TheProcessGetsTheQuotedLineAndTheChosenStyleAndPriority)
{
    TExecutePro execute(nullptr);
    execute.Priority = epIdle;
    execute.WindowStyle = ewShow;
    std::string commandLine;
    DWORD priorityClass = 0;
    std::string directory;
    STARTUPINFOA seen{};
    execute.CreateProcessProc = [&](LPSTR line, DWORD priority, LPCSTR dir, STARTUPINFOA& startupInfo,
                                    PROCESS_INFORMATION&) {
        commandLine = line;
        priorityClass = priority;
        directory = dir != nullptr ? dir : "(none)";
        seen = startupInfo;
        return TRUE;
    };
    execute.Execute("C:\\Program Files\\Saver\\saver.exe /s");
    EXPECT_EQ(commandLine, "\"C:\\Program Files\\Saver\\saver.exe\" /s");
    EXPECT_EQ(priorityClass, static_cast<DWORD>(IDLE_PRIORITY_CLASS));
    EXPECT_EQ(directory, "C:\\Program Files\\Saver\\");
    EXPECT_EQ(seen.cb, sizeof(STARTUPINFOA));
    EXPECT_EQ(seen.dwFlags, static_cast<DWORD>(STARTF_USESHOWWINDOW));
    EXPECT_EQ(seen.wShowWindow, SW_SHOW);
}

TEST(ExecuteProTest, WaitsForTheProcessWhileMessagesKeepFlowing)
{
    ASSERT_NE(GetFileAttributesA(SleeperPath().c_str()), INVALID_FILE_ATTRIBUTES) << SleeperPath();
    TMessageBoxCapture boxes;

    // A message posted while the process runs is handled during the wait.
    constexpr UINT probeMessage = WM_APP + 17;
    long long handledAt = -1;
    const auto start = std::chrono::steady_clock::now();
    Application->OnMessage = [&](MSG& msg, bool& handled) {
        if (msg.message == probeMessage) {
            handledAt = MillisecondsSince(start);
            handled = true;
        }
    };
    const DWORD threadId = GetCurrentThreadId();
    std::thread poster([threadId] {
        Sleep(150);
        PostThreadMessageA(threadId, probeMessage, 0, 0);
    });

    TExecutePro execute(nullptr);
    const long long cpuBefore = ThreadCpuMilliseconds();
    execute.Execute(SleeperPath() + " 600");
    const long long elapsed = MillisecondsSince(start);
    const long long cpu = ThreadCpuMilliseconds() - cpuBefore;
    poster.join();
    Application->OnMessage = nullptr;

    EXPECT_TRUE(boxes.Texts.empty()) << boxes.Texts.front();
    EXPECT_GE(elapsed, 580);
    EXPECT_LT(elapsed, 5000);
    EXPECT_GE(handledAt, 100);
    EXPECT_LT(handledAt, 550) << "the wait did not wake for the message";
    EXPECT_EQ(execute.DefaultDirectory, TestDirectory());
    // The wait sleeps instead of spinning.
    EXPECT_LT(cpu, 100) << "the wait kept the processor busy";
}

TEST(ExecuteProTest, ClosesTheHandlesOfTheProcess)
{
    for (const bool wait : {true, false}) {
        TExecutePro execute(nullptr);
        execute.Wait = wait;
        PROCESS_INFORMATION started{};
        execute.CreateProcessProc = [&](LPSTR line, DWORD priority, LPCSTR dir, STARTUPINFOA& startupInfo,
                                        PROCESS_INFORMATION& processInfo) {
            const BOOL ok = CreateProcessA(nullptr, line, nullptr, nullptr, FALSE, priority, nullptr, dir,
                                           &startupInfo, &processInfo);
            started = processInfo;
            return ok;
        };
        execute.Execute(SleeperPath() + " 0");
        ASSERT_NE(started.hProcess, nullptr);
        DWORD flags = 0;
        EXPECT_FALSE(GetHandleInformation(started.hProcess, &flags)) << "process handle, wait " << wait;
        EXPECT_FALSE(GetHandleInformation(started.hThread, &flags)) << "thread handle, wait " << wait;
    }
}

TEST(ExecuteProTest, RunsAProgramFromADirectoryWithABlank)
{
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string directory = std::string(temp) + "app test dir\\";
    CreateDirectoryA(directory.c_str(), nullptr);
    const std::string program = directory + "app_test_sleeper.exe";
    ASSERT_TRUE(CopyFileA(SleeperPath().c_str(), program.c_str(), FALSE));

    TMessageBoxCapture boxes;
    TExecutePro execute(nullptr);
    execute.Mode = emProcess;
    const auto start = std::chrono::steady_clock::now();
    execute.Execute(program + " 300");
    EXPECT_GE(MillisecondsSince(start), 280);
    EXPECT_TRUE(boxes.Texts.empty()) << boxes.Texts.front();

    DeleteFileA(program.c_str());
    RemoveDirectoryA(directory.c_str());
}

TEST(ExecuteProTest, AProgramThatCannotStartIsShownNotRaised)
{
    TMessageBoxCapture boxes;
    TExecutePro execute(nullptr);
    EXPECT_NO_THROW(execute.Execute("C:\\no such dir\\missing.exe /x"));
    ASSERT_EQ(boxes.Texts.size(), 1u);
    const std::string prefix =
        "TExecutePro.ProcessExecute error:  CommandLine: C:\\no such dir\\missing.exe /x"
        " DefaultDirectory: C:\\no such dir\\ Message: ";
    EXPECT_EQ(boxes.Texts[0].substr(0, prefix.size()), prefix);
    EXPECT_GT(boxes.Texts[0].size(), prefix.size()) << "no system text";
    EXPECT_TRUE(boxes.Flags[0] & MB_ICONERROR);
}

// A terminated application stops waiting at once. Terminated cannot be
// cleared again, so this runs in a child process of its own.
TEST(ExecuteProDeathTest, ATerminatedApplicationDoesNotWait)
{
    EXPECT_EXIT(
        {
            Application->Terminate();
            Application->ProcessMessages();
            const auto start = std::chrono::steady_clock::now();
            TExecutePro execute(nullptr);
            execute.Execute(SleeperPath() + " 5000");
            std::exit(Application->Terminated() && MillisecondsSince(start) < 2000 ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
}
