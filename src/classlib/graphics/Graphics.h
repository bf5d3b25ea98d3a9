// Colours and errors shared by the graphics classes.
//
// `TColor` is a 32-bit colour, 0x00BBGGRR as a COLORREF (the platform's RGB
// macro builds one); a negative value (high byte 0xFF) names a system colour
// by its COLOR_* index in the low byte, resolved by ColorToRGB.
#pragma once

#include <windows.h>

#include <cstdint>

#include "classlib/core/BmpCodec.h"
#include "classlib/core/Exceptions.h"
#include "classlib/core/Types.h"

constexpr TColor clSystemColor = static_cast<TColor>(0xFF000000);
constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clBlue = 0xFF0000;

// The RGB value of a colour: system colours through GetSysColor, others as
// they are.
COLORREF ColorToRGB(TColor color);

// A drawing operation the object cannot do in its state ("Canvas does not
// allow drawing").
class EInvalidGraphicOperation : public Exception {
public:
    explicit EInvalidGraphicOperation(std::string message) : Exception(std::move(message)) {}
};

// GDI refused to create an object ("Out of system resources").
class EOutOfResources : public Exception {
public:
    explicit EOutOfResources(std::string message) : Exception(std::move(message)) {}
};
