#include "classlib/system/ResourceStream.h"

#include <gtest/gtest.h>

#include <string>

#include "../../support/ProgramPath.h"
#include "../../support/ResourceDirectoryCheck.h"

namespace {

const std::string kText = "Corvalen resource";

TEST(ResourceStream, ReadsSeeksAndCopiesTheWholeResourceAndNothingOutside)
{
    TResourceStream stream(nullptr, "RESSTREAM_TEXT", RT_RCDATA);
    ASSERT_EQ(stream.Size(), static_cast<int64_t>(kText.size()));
    std::string buffer(64, '\0');
    EXPECT_EQ(stream.Read(buffer.data(), 64), static_cast<int64_t>(kText.size()));
    EXPECT_EQ(buffer.substr(0, kText.size()), kText);
    EXPECT_EQ(stream.Read(buffer.data(), 1), 0);
    EXPECT_THROW(stream.ReadBuffer(buffer.data(), 1), EReadError);

    // Seeks from every origin and reads nothing outside.
    char c = 0;
    EXPECT_EQ(stream.Seek(-8, soFromEnd), static_cast<int64_t>(kText.size()) - 8);
    stream.ReadBuffer(&c, 1);
    EXPECT_EQ(c, 'r');
    EXPECT_EQ(stream.Seek(2, soFromCurrent), static_cast<int64_t>(kText.size()) - 5);
    stream.SetPosition(1000);
    EXPECT_EQ(stream.Read(&c, 1), 0);

    TMemoryStream copy;
    EXPECT_EQ(copy.CopyFrom(stream, 0), static_cast<int64_t>(kText.size()));
    EXPECT_EQ(std::string(static_cast<const char*>(copy.Memory()), kText.size()), kText);
}

TEST(ResourceStream, RefusesWritesAndMissingResources)
{
    TResourceStream stream(nullptr, "RESSTREAM_TEXT", RT_RCDATA);
    EXPECT_THROW(stream.Write("x", 1), EStreamError);
    // The right name under the wrong type is missing; the message is checked with forms.
    EXPECT_THROW(TResourceStream(nullptr, "RESSTREAM_TEXT", RT_BITMAP), EResNotFound);
}

// Resources hidden by the order of the resource directory. This program's
// fixtures are each loaded by name by their own tests.
TEST(ResourceDirectory, EveryResourceOfTheProgramIsFoundByName)
{
    const HMODULE program = LoadLibraryExA(testsupport::ProgramPath().c_str(), nullptr,
                                           LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(program, nullptr) << testsupport::ProgramPath();
    const testsupport::TResourceCheck check = testsupport::CheckResourceNames(program);
    FreeLibrary(program);
    EXPECT_GT(check.Checked, 5) << "the form descriptions, meshes, textures and the scene";
    EXPECT_TRUE(check.Missing.empty()) << check.Missing.front();
}

}  // namespace
