#include "aquarium/core/GLClock.h"

#include <cctype>

#include "classlib/core/Exceptions.h"
#include "scene/core/SceneLoader.h"
#include "scene/core/SceneSprite.h"
#include "scene/core/SceneVisual.h"

namespace {

// The weekday sprites, Sunday first.
const char* const DaySprites[7] = {"sun", "mon", "tue", "wed", "thu", "fri", "sat"};

bool IsDigit(char c)
{
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// Whether every position (1-based) of text holds a digit.
bool DigitsAt(const std::string& text, std::initializer_list<size_t> positions)
{
    for (size_t position : positions)
        if (position > text.size() || !IsDigit(text[position - 1]))
            return false;
    return true;
}

std::string CharAt(const std::string& text, size_t position)
{
    return std::string(1, text[position - 1]);
}

}  // namespace

TGLClock::TGLClock() : TimeSource(SystemClockTime), ShortDayNames(DefaultShortDayNames()) {}

void TGLClock::Animate(float deltaTime)
{
    TMainSceneObject::Animate(deltaTime);
    FBlinkTimer += deltaTime;
    if (FBlinkTimer >= 1.0f) {
        FBlinkTimer = 0;
        TMainObject* colon = Objects != nullptr ? Objects->FindObject("time3") : nullptr;
        if (colon != nullptr)
            colon->SetVisible(!colon->Visible());
    }
}

void TGLClock::Render()
{
    TMainSceneObject::Render();
    if (Sprites != nullptr)
        for (int i = 0; i < Sprites->Count(); ++i) {
            auto* sprite = dynamic_cast<TSceneSprite*>(Sprites->GetItems(i));
            if (sprite == nullptr)
                throw EInvalidCast("Invalid class typecast");
            sprite->Color = Color;
        }
    const TClockTime now = TimeSource ? TimeSource() : SystemClockTime();
    UpdateTime(now);
    UpdateDay(now);
    UpdateDate(now);
    if (Objects != nullptr) {
        Objects->SetVisible(Visible());
        Objects->Render();
    }
}

void TGLClock::UpdateTime(const TClockTime& now)
{
    const bool twelveHour = FClockMode == 2;
    const std::string text = FormatClockTime(twelveHour ? "a/phh:nn" : "hh:nn", now, ShortDayNames);
    if (text == FLastTime)
        return;
    if (twelveHour) {
        if (text.size() != 6 || (text[0] != 'a' && text[0] != 'p') || !DigitsAt(text, {2, 3, 5, 6}))
            return;
    } else if (text.size() != 5 || !DigitsAt(text, {1, 2, 4, 5})) {
        return;
    }
    FLastTime = text;
    const size_t first = twelveHour ? 2 : 1;
    if (twelveHour) {
        SetObjectVisible("time6", text[0] == 'a');
        SetObjectVisible("time7", text[0] == 'p');
    } else {
        SetObjectVisible("time6", false);
        SetObjectVisible("time7", false);
    }
    SetObjectVisible("time1", text[first - 1] != '0');
    SetDigit("time1", CharAt(text, first));
    SetDigit("time2", CharAt(text, first + 1));
    SetDigit("time4", CharAt(text, first + 3));
    SetDigit("time5", CharAt(text, first + 4));
}

void TGLClock::UpdateDay(const TClockTime& now)
{
    const std::string text = FormatClockTime("ddd", now, ShortDayNames);
    if (text == FLastDay)
        return;
    size_t index = ShortDayNames.size();
    for (size_t i = 0; i < ShortDayNames.size(); ++i)
        if (ShortDayNames[i] == text) {
            index = i;
            break;
        }
    if (index == ShortDayNames.size())
        return;
    FLastDay = text;
    SetDigit("day", DaySprites[index]);
}

void TGLClock::UpdateDate(const TClockTime& now)
{
    const std::string text = FormatClockTime("mm/dd", now, ShortDayNames);
    if (text == FLastDate || text.size() != 5 || !DigitsAt(text, {1, 2, 4, 5}))
        return;
    FLastDate = text;
    SetDigit("month1", CharAt(text, 1));
    SetDigit("month2", CharAt(text, 2));
    SetDigit("month4", CharAt(text, 4));
    SetDigit("month5", CharAt(text, 5));
}

void TGLClock::SetClockMode(int mode)
{
    if (mode == FClockMode)
        return;
    FClockMode = mode;
    SetVisible(mode >= 1);
}

void TGLClock::SetDigit(const std::string& item, const std::string& sprite)
{
    TMainObject* object = Objects != nullptr ? Objects->FindObject(item) : nullptr;
    if (object == nullptr)
        return;
    auto* visual = dynamic_cast<TMainVisualObject*>(object);
    if (visual == nullptr)
        throw EInvalidCast("Invalid class typecast");
    visual->Visual = Sprites != nullptr ? Sprites->FindObject(sprite) : nullptr;
}

void TGLClock::SetObjectVisible(const std::string& item, bool on)
{
    if (TMainObject* object = Objects != nullptr ? Objects->FindObject(item) : nullptr)
        object->SetVisible(on);
}

void TGLClock::SaveOptions(TResourceLoader& writer)
{
    TMainSceneObject::SaveOptions(writer);
    writer.WriteReference("Sprites", Sprites);
    writer.WriteReference("Objects", Objects);
}

void TGLClock::LoadOptions(TResourceLoader& reader)
{
    TMainSceneObject::LoadOptions(reader);
    Sprites = dynamic_cast<TMainObjectList*>(reader.ReadReference("Sprites", Sprites));
    Objects = dynamic_cast<TMainObjectList*>(reader.ReadReference("Objects", Objects));
}
