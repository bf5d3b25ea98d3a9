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

TEST(ExecuteCommandTest, SplitsTheProgramFromItsParametersAndQuotesABlank)
{
    ExpectSplit("C:\\dir\\my prog.exe /s", "C:\\dir\\my prog.exe", "/s");  // blanks before the last "." belong to the name
    ExpectSplit("C:\\my.dir\\prog /s /t", "C:\\my.dir\\prog", "/s /t");  // no "." in the file name: its first blank
    ExpectSplit("C:\\dir\\prog.exe  /s", "C:\\dir\\prog.exe", " /s");      // only the first blank goes
    ExpectSplit("notepad readme.txt", "notepad readme.txt", "");    // a "." in the parameters hides the blank
    ExpectSplit("C:\\dir\\prog.exe /d C:\\my data\\x.txt", "C:\\dir\\prog.exe", "/d C:\\my data\\x.txt");  // paths after
    ExpectSplit("C:\\Users\\j.smith\\My Games\\X.EXE /s", "C:\\Users\\j.smith\\My Games\\X.EXE", "/s");
    // A quoted program: no folder name moves the split, a path after it stays whole.
    ExpectSplit("\"C:\\Corvalen 2.0 Saver\\C.EXE\" /s", "C:\\Corvalen 2.0 Saver\\C.EXE", "/s");
    ExpectSplit("\"C:\\a.b c\\p.exe\" /d C:\\my data\\x.txt", "C:\\a.b c\\p.exe", "/d C:\\my data\\x.txt");
    ExpectSplit("\"C:\\a b\\p.exe\"", "C:\\a b\\p.exe", "");
    ExpectSplit("", "", "");
    const auto line = [](const std::string& commandLine) {
        return ProcessCommandLine(commandLine, SplitExecCommandLine(commandLine));
    };
    EXPECT_EQ(line("C:\\My Dir\\prog  /s"), "\"C:\\My Dir\\prog\"  /s");
    EXPECT_EQ(line("\"C:\\My Dir\\prog.exe\" /s"), "\"C:\\My Dir\\prog.exe\" /s");
    EXPECT_EQ(line("C:\\dir\\prog.exe /s \"a b\""), "C:\\dir\\prog.exe /s \"a b\"");
}

TEST(ExecuteCommandTest, ExeFilesRunAsProcessesAndDocumentsOpenHiddenThroughTheShell)
{
    EXPECT_TRUE(ExecRunsAsProcess(emAuto, "C:\\dir\\PROG.EXE"));
    EXPECT_FALSE(ExecRunsAsProcess(emAuto, "C:\\dir\\readme.txt"));
    EXPECT_TRUE(ExecRunsAsProcess(emProcess, "C:\\dir\\readme.txt"));
    EXPECT_FALSE(IsExeFile("exe"));

    // A document's "parameters" are not passed, and it is always hidden.
    const TShellCall document = MakeShellCall({"C:\\dir\\my", "file.txt"}, "C:\\dir\\", ewMaximize);
    EXPECT_FALSE(document.Parameters.has_value());
    EXPECT_EQ(document.Directory, "C:\\dir\\");
    EXPECT_EQ(document.ShowCommand, 0);
    const TShellCall program = MakeShellCall(SplitExecCommandLine("C:\\dir\\prog.exe /s"), "", ewMaximize);
    EXPECT_EQ(program.Parameters, "/s");
    EXPECT_FALSE(program.Directory.has_value());
    EXPECT_EQ(program.ShowCommand, 3);
}
