// The clock: time, weekday and date texts into sprite digits, the modes and
// the blinking colon. Time and day names are injected.
#include "aquarium/core/GLClock.h"

#include "AquariumTestScene.h"
#include "scene/core/SceneSprite.h"
#include "scene/core/SceneVisual.h"

namespace {

struct ClockScene {
    ClockScene()
    {
        Objects.SetName("Objects");
        Sprites.SetName("Sprites");
        for (const char* name : {"time1", "time2", "time3", "time4", "time5", "time6", "time7", "day", "month1",
                                 "month2", "month4", "month5"}) {
            auto* item = new TMainVisualObject;
            item->SetName(name);
            Objects.Add(item);
        }
        for (const char* name : {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "sun", "mon", "tue", "wed", "thu",
                                 "fri", "sat"}) {
            auto* sprite = new TSceneSprite;
            sprite->SetName(name);
            Sprites.Add(sprite);
        }
        Clock.Objects = &Objects;
        Clock.Sprites = &Sprites;
        Clock.ShortDayNames = {"Su.", "Mo.", "Di.", "Mi.", "Do.", "Fr.", "Sa."};
        Clock.TimeSource = [this] { return Now; };
    }
    // Renders with the layer hidden: the items change, nothing is drawn.
    void Update()
    {
        Clock.SetVisible(false);
        Clock.Render();
    }
    std::string Shown(const std::string& item) const
    {
        const TMainObject* visual = dynamic_cast<TMainVisualObject*>(Objects.FindObject(item))->Visual;
        return visual != nullptr ? visual->Name() : "-";
    }
    bool Visible(const std::string& item) const { return Objects.FindObject(item)->Visible(); }

    TResource Objects, Sprites;
    TGLClock Clock;
    TClockTime Now;
};

}  // namespace

TEST(GLClock, TwentyFourHourTimeHidesALeadingZeroAndTheMarks)
{
    ClockScene s;
    s.Clock.SetClockMode(1);
    s.Now = {9, 5, 12, 24, 5};
    s.Update();
    EXPECT_FALSE(s.Visible("time1"));
    EXPECT_EQ(s.Shown("time2") + s.Shown("time4") + s.Shown("time5"), "905");
    EXPECT_FALSE(s.Visible("time6"));
    EXPECT_FALSE(s.Visible("time7"));
    EXPECT_EQ(s.Shown("day"), "thu");
    EXPECT_EQ(s.Shown("month1") + s.Shown("month2") + s.Shown("month4") + s.Shown("month5"), "1224");

    s.Now = {14, 30, 1, 2, 1};
    s.Update();
    EXPECT_TRUE(s.Visible("time1"));
    EXPECT_EQ(s.Shown("time1") + s.Shown("time2") + s.Shown("time4") + s.Shown("time5"), "1430");
    EXPECT_EQ(s.Shown("day"), "sun");
    EXPECT_EQ(s.Clock.LastDate(), "01/02");
}

TEST(GLClock, TwelveHourTimeShowsTheMarkAndTwelveForMidnightAndNoon)
{
    ClockScene s;
    s.Clock.SetClockMode(2);
    s.Now = {14, 30, 1, 1, 2};
    s.Update();
    EXPECT_EQ(s.Clock.LastTime(), "p02:30");
    EXPECT_TRUE(s.Visible("time7"));
    EXPECT_FALSE(s.Visible("time6"));
    EXPECT_FALSE(s.Visible("time1"));
    EXPECT_EQ(s.Shown("time2") + s.Shown("time4") + s.Shown("time5"), "230");
    for (const auto& [hour, text] : {std::pair{0, "a12:30"}, {12, "p12:30"}, {11, "a11:30"}}) {
        s.Now.Hour = hour;
        s.Update();
        EXPECT_EQ(s.Clock.LastTime(), text);
        EXPECT_TRUE(s.Visible("time1"));
    }
}

TEST(GLClock, MalformedTextsAndUnknownDayNamesKeepWhatIsShown)
{
    ClockScene s;
    s.Clock.SetClockMode(1);
    s.Now = {9, 5, 12, 24, 5};
    s.Update();
    s.Now = {123, 5, 12, 245, 9};  // a three-digit hour and day, no such weekday
    s.Update();
    EXPECT_EQ(s.Clock.LastTime(), "09:05");
    EXPECT_EQ(s.Shown("time2"), "9");
    EXPECT_EQ(s.Clock.LastDate(), "12/24");
    EXPECT_EQ(s.Shown("day"), "thu");
}

TEST(GLClock, ModesShowAndHideTheClockAndTheColonBlinksEverySecond)
{
    ClockScene s;
    s.Clock.SetClockMode(0);
    EXPECT_FALSE(s.Clock.Visible());
    s.Clock.SetClockMode(2);
    EXPECT_TRUE(s.Clock.Visible());
    s.Clock.SetVisible(false);
    s.Clock.SetClockMode(2);
    EXPECT_FALSE(s.Clock.Visible()) << "the same mode again changes nothing";

    s.Clock.Animate(0.6f);
    s.Clock.Animate(0.3f);
    EXPECT_TRUE(s.Visible("time3"));
    s.Clock.Animate(0.1f);
    EXPECT_FALSE(s.Visible("time3"));
    s.Clock.Animate(0.99f);
    EXPECT_FALSE(s.Visible("time3"));
    s.Clock.Animate(0.01f);
    EXPECT_TRUE(s.Visible("time3"));
}
