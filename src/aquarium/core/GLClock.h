// TGLClock: the time, the weekday and the month and day as sprite digits
// over the aquarium.
//
// The clock draws nothing of its own: it switches which sprite each item of
// its Objects layer shows and lets the layer draw. Items are named "time1",
// "time2" (hour), "time3" (colon), "time4", "time5" (minutes), "time6" (am
// mark), "time7" (pm mark), "day", "month1", "month2", "month4", "month5";
// sprites are named "0" .. "9" and "sun" .. "sat". The scene object is
// named "GLClock".
//
// The time source and the locale's short day names are fields, so that the
// host gives the real ones and tests give their own.
#pragma once

#include <functional>
#include <string>

#include "aquarium/core/ClockText.h"
#include "gl/core/VectorTypes.h"
#include "scene/core/SceneObjects.h"

class TGLClock : public TMainSceneObject {
public:
    // ClockMode -1, white, the system clock and the default day names.
    TGLClock();

    std::string ClassName() const override { return "TGLClock"; }

    // The inherited; the colon ("time3") toggles each time a full second
    // has gathered.
    void Animate(float deltaTime) override;
    // The inherited render; Color into every sprite (each must be a
    // TSceneSprite: EInvalidCast otherwise); time, weekday and date
    // updated; the Objects layer takes the clock's visibility and is
    // rendered.
    void Render() override;

    // The object keys, then "Sprites" and "Objects" (paths; an empty key
    // keeps the current value).
    void SaveOptions(TResourceLoader& writer) override;
    void LoadOptions(TResourceLoader& reader) override;

    // 0 none, 1 24-hour, 2 12-hour. On a change: Visible := mode >= 1.
    void SetClockMode(int mode);
    int ClockMode() const { return FClockMode; }

    // The item of Objects named item (a visual object: EInvalidCast
    // otherwise) shows the sprite of Sprites named sprite. Nothing without
    // such an item.
    void SetDigit(const std::string& item, const std::string& sprite);
    void SetObjectVisible(const std::string& item, bool on);

    // The texts shown now.
    const std::string& LastTime() const { return FLastTime; }
    const std::string& LastDate() const { return FLastDate; }
    const std::string& LastDay() const { return FLastDay; }

    // The layer of clock items and the list of sprites (not owned).
    TMainObjectList* Objects = nullptr;
    TMainObjectList* Sprites = nullptr;
    TGLColor Color = MakeColorRGBA(255, 255, 255, 255);
    std::function<TClockTime()> TimeSource;
    TShortDayNames ShortDayNames;

private:
    void UpdateTime(const TClockTime& now);
    void UpdateDay(const TClockTime& now);
    void UpdateDate(const TClockTime& now);

    std::string FLastTime;
    std::string FLastDate;
    std::string FLastDay;
    float FBlinkTimer = 0;
    int FClockMode = -1;
};
