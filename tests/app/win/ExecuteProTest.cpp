// The process launcher under Wine. The processes it starts are the test
// helper app_test_sleeper.exe (built next to this program), which sleeps
// for the milliseconds given and exits with code 7.
#include "app/ExecutePro.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <string>
#include <thread>
#include <tuple>

#include "../../support/MessageBoxes.h"
#include "app/AppRegistration.h"
#include "classlib/core/FormReader.h"
#include "classlib/core/SysUtils.h"
#include "classlib/ui/Application.h"

namespace {

std::string SleeperPath()
{
    char path[MAX_PATH] = {};
    return ExtractFilePath(std::string(path, GetModuleFileNameA(nullptr, path, MAX_PATH))) + "app_test_sleeper.exe";
}

long long MillisecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

// The launcher keeps the program quoted, sets its priority and starts it in
// its folder; the wait keeps messages flowing and closes both handles.
TEST(ExecuteProTest, StartsTheQuotedProgramInItsFolderAndWaitsWhileMessagesKeepFlowing)
{
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string directory = std::string(temp) + "app test dir\\";  // a blank in the path
    CreateDirectoryA(directory.c_str(), nullptr);
    const std::string program = directory + "app_test_sleeper.exe";
    ASSERT_TRUE(CopyFileA(SleeperPath().c_str(), program.c_str(), FALSE)) << SleeperPath();

    testsupport::TBoxCapture boxes;
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
    execute.Priority = epIdle;
    PROCESS_INFORMATION started{};
    std::string commandLine, startedIn;
    DWORD priorityClass = 0;
    execute.CreateProcessProc = [&](LPSTR line, DWORD priority, LPCSTR dir, STARTUPINFOA& startupInfo,
                                    PROCESS_INFORMATION& processInfo) {
        std::tie(commandLine, priorityClass, startedIn) = std::tuple(line, priority, dir != nullptr ? dir : "(none)");
        const BOOL ok =
            CreateProcessA(nullptr, line, nullptr, nullptr, FALSE, priority, nullptr, dir, &startupInfo, &processInfo);
        started = processInfo;
        return ok;
    };
    EXPECT_TRUE(execute.Execute("\"" + program + "\" 600"));
    const long long elapsed = MillisecondsSince(start);
    poster.join();
    Application->OnMessage = nullptr;

    EXPECT_TRUE(boxes.empty()) << boxes.front().Text;
    EXPECT_EQ(commandLine, "\"" + program + "\" 600");
    EXPECT_EQ(priorityClass, static_cast<DWORD>(IDLE_PRIORITY_CLASS));
    EXPECT_EQ(startedIn, directory);
    EXPECT_GE(elapsed, 580);
    EXPECT_LT(handledAt, 550) << "the wait did not wake for the message";
    DWORD flags = 0;
    EXPECT_FALSE(GetHandleInformation(started.hProcess, &flags)) << "process handle leaked";
    EXPECT_FALSE(GetHandleInformation(started.hThread, &flags)) << "thread handle leaked";
    DeleteFileA(program.c_str());
    RemoveDirectoryA(directory.c_str());
}

// The report ends with the system's message, without the line break the
// system ends it with; a caller that goes on without the process can keep
// it from the user.
TEST(ExecuteProTest, AProgramThatCannotStartIsShownNotRaised)
{
    testsupport::TBoxCapture boxes;
    TExecutePro execute(nullptr);
    bool started = true;
    EXPECT_NO_THROW(started = execute.Execute("C:\\no such dir\\missing.exe /x"));
    EXPECT_FALSE(started);
    ASSERT_EQ(boxes.size(), 1u);
    const std::string prefix =
        "TExecutePro.ProcessExecute error:  CommandLine: C:\\no such dir\\missing.exe /x"
        " DefaultDirectory: C:\\no such dir\\ Message: ";
    EXPECT_EQ(boxes[0].Text.substr(0, prefix.size()), prefix);
    const std::string message = boxes[0].Text.substr(std::min(prefix.size(), boxes[0].Text.size()));
    EXPECT_FALSE(message.empty()) << "no system message";
    EXPECT_EQ(message.find_first_of("\r\n"), std::string::npos) << "[" << message << "]";

    execute.ReportFailure = false;
    EXPECT_FALSE(execute.Execute("C:\\no such dir\\missing.exe /x"));
    EXPECT_EQ(boxes.size(), 1u) << "shown although the caller asked not to";
}

// A file named as a program that is none: the system's message fills its
// insert with the program's path, so the report names the file.
TEST(ExecuteProTest, TheReportOfAFileThatIsNoProgramNamesTheFile)
{
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string program = std::string(temp) + "app test not a program.EXE";
    {
        std::ofstream(program, std::ios::binary) << "not a program\r\n";
    }
    testsupport::TBoxCapture boxes;
    TExecutePro execute(nullptr);
    EXPECT_FALSE(execute.Execute("\"" + program + "\" /s"));
    DeleteFileA(program.c_str());
    ASSERT_EQ(boxes.size(), 1u);
    const std::string& text = boxes[0].Text;
    const size_t message = text.find(" Message: ");
    ASSERT_NE(message, std::string::npos) << text;
    EXPECT_NE(text.find(program, message), std::string::npos) << text;
    EXPECT_EQ(text.find('%'), std::string::npos) << text;
}

// A long path in a message with two inserts: the report still carries the
// whole message with the path in both.
TEST(ExecuteProTest, TheReportOfALongPathCarriesTheWholeMessage)
{
    const std::string program = "C:\\" + std::string(300, 'p') + "\\Corvalen.EXE";
    testsupport::TBoxCapture boxes;
    TExecutePro execute(nullptr);
    execute.CreateProcessProc = [](LPSTR, DWORD, LPCSTR, STARTUPINFOA&, PROCESS_INFORMATION&) {
        SetLastError(ERROR_MR_MID_NOT_FOUND);  // the system's text names %1 and %2
        return FALSE;
    };
    EXPECT_FALSE(execute.Execute("\"" + program + "\" /s"));
    ASSERT_EQ(boxes.size(), 1u);
    const std::string& text = boxes[0].Text;
    const size_t message = text.find(" Message: ");
    ASSERT_NE(message, std::string::npos) << text;
    const size_t first = text.find(program, message);
    ASSERT_NE(first, std::string::npos) << text;
    EXPECT_NE(text.find(program, first + program.size()), std::string::npos) << text;
    EXPECT_EQ(text.find('%'), std::string::npos) << text;
}

// Terminated cannot be cleared again, so this runs in a child process.
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

// Every published property is read from a description, in the published
// order: a DefaultDirectory given after the command line replaces the one
// the command line brought.
TEST(ExecuteProTest, EveryPublishedPropertyIsReadFromADescription)
{
    TClassRegistry classes;
    RegisterCoreClasses(classes);
    RegisterAppClasses(classes);
    TComponent root(nullptr);
    TFormReader(classes).ReadInto("object Root: TComponent\n  object E: TExecutePro\n"
                                  "    CommandLine = 'C:\\dir\\prog.exe /s'\n    DefaultDirectory = 'D:\\work\\'\n"
                                  "    WindowStyle = ewShow\n    Priority = epHigh\n    Mode = emShell\n"
                                  "    Wait = False\n  end\n  object Plain: TExecutePro\n"
                                  "    CommandLine = 'C:\\dir\\prog.exe'\n  end\nend\n",
                                  root);
    const auto* launcher = dynamic_cast<TExecutePro*>(root.FindComponent("E"));
    ASSERT_NE(launcher, nullptr);
    EXPECT_EQ(launcher->CommandLine(), "C:\\dir\\prog.exe /s");
    EXPECT_EQ(launcher->ProgramName(), "C:\\dir\\prog.exe");
    EXPECT_EQ(launcher->Parameters(), "/s");
    EXPECT_EQ(launcher->DefaultDirectory, "D:\\work\\");
    EXPECT_EQ(launcher->WindowStyle, ewShow);
    EXPECT_EQ(launcher->Priority, epHigh);
    EXPECT_EQ(launcher->Mode, emShell);
    EXPECT_FALSE(launcher->Wait);
    const auto* plain = dynamic_cast<TExecutePro*>(root.FindComponent("Plain"));
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(plain->DefaultDirectory, "C:\\dir\\");
    EXPECT_EQ(plain->WindowStyle, ewMinimize);
    EXPECT_TRUE(plain->Wait);
}
