// Value types shared by the OpenGL layer, the scene engine and the aquarium:
// vectors, texture coordinates, colours and matrices, with their
// constructors, colour conversions and text forms.
//
// The layouts are the ones OpenGL reads through its array and vector entry
// points (glVertexPointer, glColorPointer, glLightfv, glMultMatrixf ...), so
// each type is a plain block of floats or bytes with no padding.
#pragma once

#include <array>
#include <cstdint>
#include <string>

// A 3-D vector, point or normal.
struct TGLVector {
    float x, y, z;
};

// A texture coordinate.
struct TGLTextureCoord {
    float s, t;
};

// Two 3-D vectors in one record.
struct TGLVectorPair {
    TGLVector a, b;
};

// A 4-component vector; as a float colour x, y, z, w are red, green, blue
// and alpha, each 0..1.
struct TGLVector4 {
    float x, y, z, w;
};
using TGLColorFloat = TGLVector4;

// A byte colour: byte 0 (the low byte) red, byte 1 green, byte 2 blue,
// byte 3 alpha; in memory the byte order glColor4ubv reads.
using TGLColor = uint32_t;

// 16 floats in OpenGL's column-major order: the translation is in elements
// 12, 13 and 14.
using TGLMatrix = std::array<float, 16>;

static_assert(sizeof(TGLVector) == 12 && sizeof(TGLTextureCoord) == 8 && sizeof(TGLVectorPair) == 24 &&
              sizeof(TGLVector4) == 16 && sizeof(TGLColor) == 4 && sizeof(TGLMatrix) == 64);

constexpr TGLVector MakeVector3(float x, float y, float z) { return {x, y, z}; }
constexpr TGLTextureCoord MakeVector2(float s, float t) { return {s, t}; }
constexpr TGLVector4 MakeVector4(float x, float y, float z, float w) { return {x, y, z, w}; }
constexpr TGLColor MakeColorRGBA(uint8_t r, uint8_t g, uint8_t b, uint8_t a)
{
    return static_cast<TGLColor>(r) | static_cast<TGLColor>(g) << 8 | static_cast<TGLColor>(b) << 16 |
           static_cast<TGLColor>(a) << 24;
}

// --- Colour conversions --------------------------------------------------------
// Each component * 255, rounded to nearest with ties to even (0.5 -> 128),
// then kept within 0..255 (1.2 -> 255, -0.1 -> 0; NaN -> 0).
TGLColor ColorFloatToByte(const TGLColorFloat& color);
// Each byte / 255.
TGLColorFloat ColorByteToFloat(TGLColor color);
// A platform colour value already resolved to 0x00BBGGRR: red, green and blue
// from its low three bytes, each / 255, alpha 1. (System colours are
// resolved by WindowColorToFloat in the Win32 part of the layer.)
TGLColorFloat ColorRefToFloat(uint32_t rgb);

// --- Text forms ------------------------------------------------------------------
// Components joined by ","; reals in the general format with 7 significant
// digits ("1,0.5,-2"), byte components as decimal integers.
//
// Parsing splits the text by the comma-text rules of the string lists
// (blanks and commas separate items, double quotes group). An empty text
// gives the default; fewer items set only the leading components and leave
// the rest at the default; extra items are ignored. An item that is not a
// number - or, for a byte colour, not an integer 0..255 - and a real beyond
// the single-precision range raise EConvertError.
std::string ColorFloatToStr(const TGLColorFloat& color);
TGLColorFloat StrToColorFloat(const std::string& text);  // default (1, 1, 1, 1)
std::string ColorByteToStr(TGLColor color);
TGLColor StrToColorByte(const std::string& text);        // default (255, 255, 255, 255)
std::string VectorToStr(const TGLVector& vector);
TGLVector StrToVector(const std::string& text);          // default (0, 0, 0)
