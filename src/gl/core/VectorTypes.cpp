#include "gl/core/VectorTypes.h"

#include <cmath>
#include <limits>
#include <vector>

#include "classlib/core/StringList.h"
#include "classlib/core/SysUtils.h"

namespace {

uint8_t ComponentToByte(float component)
{
    if (!(component > 0.0f)) return 0;  // NaN too
    if (component >= 1.0f) return 255;
    // The product of a single and 255 is exact in double: only the one
    // rounding to an integer happens.
    return static_cast<uint8_t>(Round(static_cast<double>(component) * 255.0));
}

uint8_t ByteOf(TGLColor color, int index)
{
    return static_cast<uint8_t>(color >> (8 * index));
}

std::string JoinReals(const float* values, int count)
{
    std::string text;
    for (int i = 0; i < count; ++i) {
        if (i > 0) text += ',';
        text += FloatToStr(values[i]);
    }
    return text;
}

// The items of a text in comma-text form; at most `count` are kept.
std::vector<std::string> SplitItems(const std::string& text, int count)
{
    TStringList list;
    list.SetCommaText(text);
    std::vector<std::string> items;
    for (int i = 0; i < list.Count() && i < count; ++i) items.push_back(list.Strings(i));
    return items;
}

float ItemToSingle(const std::string& item)
{
    const long double value = StrToFloat(item);
    if (std::fabs(value) > std::numeric_limits<float>::max()) {
        throw EConvertError("'" + item + "' is not a valid floating point value");
    }
    return static_cast<float>(value);
}

// Reads up to `count` reals into values; the others keep what they hold.
void ParseReals(const std::string& text, float* values, int count)
{
    const std::vector<std::string> items = SplitItems(text, count);
    for (size_t i = 0; i < items.size(); ++i) values[i] = ItemToSingle(items[i]);
}

}  // namespace

TGLColor ColorFloatToByte(const TGLColorFloat& color)
{
    return MakeColorRGBA(ComponentToByte(color.x), ComponentToByte(color.y), ComponentToByte(color.z),
                         ComponentToByte(color.w));
}

TGLColorFloat ColorByteToFloat(TGLColor color)
{
    return {ByteOf(color, 0) / 255.0f, ByteOf(color, 1) / 255.0f, ByteOf(color, 2) / 255.0f,
            ByteOf(color, 3) / 255.0f};
}

TGLColorFloat ColorRefToFloat(uint32_t rgb)
{
    TGLColorFloat color = ColorByteToFloat(rgb);
    color.w = 1.0f;
    return color;
}

std::string ColorFloatToStr(const TGLColorFloat& color)
{
    const float values[] = {color.x, color.y, color.z, color.w};
    return JoinReals(values, 4);
}

TGLColorFloat StrToColorFloat(const std::string& text)
{
    float values[] = {1.0f, 1.0f, 1.0f, 1.0f};
    ParseReals(text, values, 4);
    return {values[0], values[1], values[2], values[3]};
}

std::string ColorByteToStr(TGLColor color)
{
    std::string text;
    for (int i = 0; i < 4; ++i) {
        if (i > 0) text += ',';
        text += IntToStr(ByteOf(color, i));
    }
    return text;
}

TGLColor StrToColorByte(const std::string& text)
{
    uint8_t bytes[] = {255, 255, 255, 255};
    const std::vector<std::string> items = SplitItems(text, 4);
    for (size_t i = 0; i < items.size(); ++i) {
        const int value = StrToInt(items[i]);
        if (value < 0 || value > 255) {
            throw EConvertError("'" + items[i] + "' is not a valid colour component");
        }
        bytes[i] = static_cast<uint8_t>(value);
    }
    return MakeColorRGBA(bytes[0], bytes[1], bytes[2], bytes[3]);
}

std::string VectorToStr(const TGLVector& vector)
{
    const float values[] = {vector.x, vector.y, vector.z};
    return JoinReals(values, 3);
}

TGLVector StrToVector(const std::string& text)
{
    float values[] = {0.0f, 0.0f, 0.0f};
    ParseReals(text, values, 3);
    return {values[0], values[1], values[2]};
}
