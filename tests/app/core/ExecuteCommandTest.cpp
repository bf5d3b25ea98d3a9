#include "app/core/ExecuteCommand.h"

#include <gtest/gtest.h>

#include <string>

namespace {

void ExpectSplit(const std::string& commandLine, const std::string& program, const std::string& parameters)
{
    const TExecSplit split = SplitExecCommandLine(commandLine);
    EXPECT_EQ(split.ProgramName, program) << commandLine;
    EXPECT_EQ(split.Parameters, parameters) << commandLine;
}

}  // namespace

TEST(ExecuteCommandTest, SplitsTheProgramFromItsParameters)
{
    ExpectSplit("C:\\dir\\prog.exe /s", "C:\\dir\\prog.exe", "/s");
    ExpectSplit("C:\\dir\\prog.exe", "C:\\dir\\prog.exe", "");
    ExpectSplit("C:\\Program Files\\Saver\\saver.EXE /c:1234 /x", "C:\\Program Files\\Saver\\saver.EXE",
                "/c:1234 /x");
    // Blanks before the last "." belong to the name.
    ExpectSplit("C:\\dir\\my prog.exe /s", "C:\\dir\\my prog.exe", "/s");
    // Without a "." in the file-name part its first blank splits, even when
    // the directory has dots.
    ExpectSplit("C:\\my.dir\\prog /s /t", "C:\\my.dir\\prog", "/s /t");
    ExpectSplit("prog a b", "prog", "a b");
    // Only the first blank goes.
    ExpectSplit("C:\\dir\\prog.exe  /s", "C:\\dir\\prog.exe", " /s");
    // A "." in the parameters hides the blank before it: the whole line is
    // the program.
    ExpectSplit("notepad readme.txt", "notepad readme.txt", "");
    ExpectSplit("", "", "");
    ExpectSplit("\\", "\\", "");
    ExpectSplit("prog.exe ", "prog.exe", "");
}

TEST(ExecuteCommandTest, ExeFilesRunAsProcessesAndTheRestThroughTheShell)
{
    EXPECT_TRUE(IsExeFile("C:\\dir\\PROG.EXE"));
    EXPECT_TRUE(IsExeFile("archive.exe.txt"));
    EXPECT_FALSE(IsExeFile("C:\\dir\\readme.txt"));
    EXPECT_FALSE(IsExeFile("exe"));

    EXPECT_TRUE(ExecRunsAsProcess(emAuto, "C:\\dir\\prog.exe"));
    EXPECT_FALSE(ExecRunsAsProcess(emAuto, "C:\\dir\\readme.txt"));
    EXPECT_TRUE(ExecRunsAsProcess(emProcess, "C:\\dir\\readme.txt"));
    EXPECT_FALSE(ExecRunsAsProcess(emShell, "C:\\dir\\prog.exe"));
}

TEST(ExecuteCommandTest, TheShellOpensADocumentHiddenAndAProgramWithItsParametersAndShowCommand)
{
    // A document's "parameters" are not passed, and it is always hidden.
    const TShellCall call = MakeShellCall(SplitExecCommandLine("C:\\dir\\readme.txt"), "C:\\dir\\", ewShow);
    EXPECT_EQ(call.FileName, "C:\\dir\\readme.txt");
    EXPECT_FALSE(call.Parameters.has_value());
    EXPECT_EQ(call.Directory, "C:\\dir\\");
    EXPECT_EQ(call.ShowCommand, 0);
    const TShellCall document = MakeShellCall({"C:\\dir\\my", "file.txt"}, "", ewMaximize);
    EXPECT_FALSE(document.Parameters.has_value() || document.Directory.has_value());
    EXPECT_EQ(document.ShowCommand, 0);

    const TShellCall program = MakeShellCall(SplitExecCommandLine("C:\\dir\\prog.exe /s"), "", ewMaximize);
    EXPECT_EQ(program.FileName, "C:\\dir\\prog.exe");
    EXPECT_EQ(program.Parameters, "/s");
    EXPECT_FALSE(program.Directory.has_value());
    EXPECT_EQ(program.ShowCommand, 3);
    const TShellCall bare = MakeShellCall(SplitExecCommandLine("prog.exe"), "D:\\", ewMinimize);
    EXPECT_FALSE(bare.Parameters.has_value());
    EXPECT_EQ(bare.ShowCommand, 6);
}

TEST(ExecuteCommandTest, AProgramWithABlankIsQuotedForTheProcess)
{
    const auto line = [](const std::string& commandLine) {
        return ProcessCommandLine(commandLine, SplitExecCommandLine(commandLine));
    };
    EXPECT_EQ(line("C:\\Program Files\\Saver\\saver.EXE /s"), "\"C:\\Program Files\\Saver\\saver.EXE\" /s");
    EXPECT_EQ(line("C:\\Program Files\\Saver\\saver.EXE"), "\"C:\\Program Files\\Saver\\saver.EXE\"");
    EXPECT_EQ(line("C:\\My Dir\\prog  /s"), "\"C:\\My Dir\\prog\"  /s");
    EXPECT_EQ(line("C:\\dir\\prog.exe /s \"a b\""), "C:\\dir\\prog.exe /s \"a b\"");
    EXPECT_EQ(line("\"C:\\My Dir\\prog.exe\" /s"), "\"C:\\My Dir\\prog.exe\" /s");
    EXPECT_EQ(line(""), "");
}
