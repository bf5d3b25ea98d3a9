#include <gtest/gtest.h>

#include "skin/core/SkinDescription.h"
#include "SkinTestSupport.h"

namespace {

void Read(TspSkinDescription& skin, const std::string& text, bool stored = true)
{
    TTextIni ini(text);
    if (stored)
        skin.ReadStoredDescription(ini);
    else
        skin.ReadCompressedDescription(ini);
}

}  // namespace

// Entries name a section and a keyword; lookups are exact; one section may
// serve records of several keywords, and unknown keywords make nothing.
TEST(SkinDescription, RecordListsAndLookups)
{
    TspSkinDescription skin;
    Read(skin,
         "[SKINOBJECTS]\ncount=3\n0=closebutton:stdbutton\n1=caption:caption\n2=closebutton:nosuchobject\n"
         "[closebutton]\ncommand=cmclose\n"
         "[SKINCONTROLS]\ncount=3\n0=nosuchcontrol:button\n1=button:Button\n2=groupbox:panel\n"
         "[groupbox]\nskinrect=1,2,3,4\n"
         "[SKINAREAS]\ncount=2\n0=client:1,2,3,4\n1=nocolon\n");
    ASSERT_EQ(skin.ObjectList.size(), 2u);
    EXPECT_EQ(skin.GetObjectIndex("closebutton"), 0);
    EXPECT_EQ(skin.GetObjectIndex("caption"), 1);
    EXPECT_EQ(skin.GetObjectIndex("Caption"), -1);
    auto* close = dynamic_cast<TspDataSkinStdButton*>(skin.ObjectList[0].get());
    ASSERT_NE(close, nullptr);
    EXPECT_EQ(close->Command, cmClose);

    // "button:Button" has no row (keywords match exactly); the first entry
    // names a section that does not exist and still makes its record.
    ASSERT_EQ(skin.ControlList.size(), 2u);
    EXPECT_EQ(skin.GetControlIndex("nosuchcontrol"), 0);
    ASSERT_EQ(skin.GetControlIndex("groupbox"), 1);
    ASSERT_NE(dynamic_cast<TspDataSkinPanelControl*>(skin.ControlList[1].get()), nullptr);
    EXPECT_EQ(skin.ControlList[1]->SkinRect, (TRect{1, 2, 3, 4}));

    ASSERT_EQ(skin.AreaList.size(), 2u);
    EXPECT_EQ(skin.AreaList[0]->AreaRect, (TRect{1, 2, 3, 4}));
    EXPECT_EQ(skin.GetAreaIndex(""), 1);
    EXPECT_EQ(skin.AreaList[1]->AreaRect, TRect{});

    skin.ClearRecords();
    EXPECT_TRUE(skin.ObjectList.empty() && skin.ControlList.empty() && skin.AreaList.empty());
    EXPECT_EQ(skin.GetObjectIndex("closebutton"), -1);
}

// The corners are pulled into the client rectangle only for a frame whose
// right-bottom corner differs from its left-top one in both directions.
TEST(SkinDescription, FormInfoCorners)
{
    TspSkinDescription skin;
    Read(skin,
         "[FORMINFO]\nlefttoppoint=2,30\nrighttoppoint=90,1\nleftbottompoint=1,99\nrightbottompoint=95,95\n"
         "clientrect=5,20,80,70\n");
    EXPECT_EQ(skin.LTPoint, (TPoint{5, 30}));
    EXPECT_EQ(skin.RTPoint, (TPoint{80, 20}));
    EXPECT_EQ(skin.LBPoint, (TPoint{5, 70}));
    EXPECT_EQ(skin.RBPoint, (TPoint{80, 70}));

    // Same x: no pull.
    Read(skin,
         "[FORMINFO]\nlefttoppoint=2,30\nrighttoppoint=90,1\nrightbottompoint=2,95\nclientrect=5,20,80,70\n"
         "bgpictureindex=3\ninactiveeffect=iegrayscale\n");
    EXPECT_EQ(skin.LTPoint, (TPoint{2, 30}));
    EXPECT_EQ(skin.RTPoint, (TPoint{90, 1}));
    EXPECT_EQ(skin.BGPictureIndex, 3);
    EXPECT_EQ(skin.InActiveEffect, ieGrayScale);
}

// What each path reads: cursors and areas only from stored skins, the
// author's names only from compressed ones.
TEST(SkinDescription, StoredAndCompressedPaths)
{
    const std::string text =
        "[VERSION]\nskinname=N\nskinauthor=A\n[CURSORS]\nstartcursorindex=0\n"
        "[SKINAREAS]\ncount=1\n0=a:1,1,2,2\n";
    TspSkinDescription stored;
    Read(stored, text);
    EXPECT_EQ(stored.SkinName, "N");
    EXPECT_EQ(stored.SkinAuthor, "");
    EXPECT_EQ(stored.StartCursorIndex, 1);
    EXPECT_EQ(stored.AreaList.size(), 1u);
    Read(stored, "[CURSORS]\nstartcursorindex=4\n");
    EXPECT_EQ(stored.StartCursorIndex, 4);

    TspSkinDescription compressed;
    Read(compressed, "[CURSORS]\nstartcursorindex=7\n" + text, false);
    EXPECT_EQ(compressed.SkinName, "N");
    EXPECT_EQ(compressed.SkinAuthor, "A");
    EXPECT_EQ(compressed.StartCursorIndex, 1);
    EXPECT_TRUE(compressed.AreaList.empty());
}

// Counts from outside never decide the work done: a count past the bound
// reads the bounded number of entries; a broken rectangle raises the
// conversion error out of the read.
TEST(SkinDescription, HostileCountsAndValues)
{
    TspSkinDescription skin;
    Read(skin, "[SKINAREAS]\ncount=65537\n[SKINOBJECTS]\ncount=65537\n65536=c:caption\n");
    EXPECT_EQ(skin.AreaList.size(), static_cast<size_t>(SkinListLimit));
    EXPECT_TRUE(skin.ObjectList.empty());

    TspSkinDescription broken;
    EXPECT_THROW(Read(broken, "[SKINAREAS]\ncount=1\n0=a:1,2\n"), EConvertError);
    EXPECT_THROW(Read(broken, "[FORMINFO]\nclientrect=1\n"), EConvertError);
}
