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
        for (const char* name : ClockItems) {
            auto* item = new TMainVisualObject;
            item->SetName(name);
            Objects.Add(item);
        }
        for (const char* name : ClockSprites) {
            auto* sprite = new TSceneSprite;
            sprite->SetName(name);
            Sprites.Add(sprite);
        }
        Clock.Objects = &Objects;
        Clock.Sprites = &Sprites;
        Clock.ShortDayNames = {"Su.", "Mo.", "Di.", "Mi.", "Do.", "Fr.", "Sa."};
        Clock.TimeSource = [this] { return Now; };
    }
    std::string Shown(const std::string& item) const
    {
        const TMainObject* visual = dynamic_cast<TMainVisualObject*>(Objects.FindObject(item))->Visual;
        return visual != nullptr ? visual->Name() : "-";
    }
    // The sprites the visible items among `items` show, one after another.
    std::string ShownBy(std::initializer_list<const char*> items) const
    {
        std::string text;
        for (const char* item : items)
            text += Visible(item) ? Shown(item) : "";
        return text;
    }
    bool Visible(const std::string& item) const { return Objects.FindObject(item)->Visible(); }

    TResource Objects, Sprites;
    TGLClock Clock;
    TClockTime Now;
};

}  // namespace

// Each case after the one before it on the same clock.
TEST(GLClock, TimeDayAndDateShowInBothModesWithALeadingZeroHiddenAndTheMarkOfTwelveHourTime)
{
    ClockScene s;
    struct Case {
        int Mode;
        TClockTime Now;
        const char *Time, *Digits, *Mark, *Day, *Date;
    };
    for (const Case& c : std::initializer_list<Case>{
             {1, {9, 5, 12, 24, 5}, "09:05", "905", "", "thu", "1224"},
             // A three-digit hour and day and no such weekday keep what is shown.
             {1, {123, 5, 12, 245, 9}, "09:05", "905", "", "thu", "1224"},
             {1, {14, 30, 1, 2, 1}, "14:30", "1430", "", "sun", "0102"},
             {2, {14, 30, 1, 1, 2}, "p02:30", "230", "pm", "mon", "0101"},
             {2, {0, 30, 1, 1, 2}, "a12:30", "1230", "am", "mon", "0101"},
             {2, {12, 30, 1, 1, 2}, "p12:30", "1230", "pm", "mon", "0101"},
             {2, {11, 30, 1, 1, 2}, "a11:30", "1130", "am", "mon", "0101"},
         }) {
        SCOPED_TRACE(c.Time);
        s.Clock.SetClockMode(c.Mode);
        s.Now = c.Now;
        // A render with the layer hidden: the items change, nothing is drawn.
        s.Clock.SetVisible(false);
        s.Clock.Render();
        EXPECT_EQ(s.Clock.LastTime(), c.Time);
        EXPECT_EQ(s.ShownBy({"time1", "time2", "time4", "time5"}), c.Digits);
        EXPECT_EQ(std::string(s.Visible("time6") ? "am" : "") + (s.Visible("time7") ? "pm" : ""), c.Mark);
        EXPECT_EQ(s.Shown("day"), c.Day);
        EXPECT_EQ(s.ShownBy({"month1", "month2", "month4", "month5"}), c.Date);
    }
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

    // The colon after each step: it toggles as each full second gathers.
    for (const auto& [step, shown] :
         {std::pair{0.6f, true}, {0.3f, true}, {0.1f, false}, {0.99f, false}, {0.01f, true}}) {
        s.Clock.Animate(step);
        EXPECT_EQ(s.Visible("time3"), shown) << "after the step of " << step << " s";
    }
}
