// The program's own skin, "Corvalen Deep Water": a deep-sea title bar with a
// bubble emblem and a glass close button, glassy pill buttons, a glass-rimmed
// panel and group boxes with a caption band, all drawn here from signed
// distances (SkinPainter.h), without text or randomness, so every run gives
// the same bytes.
//
// The pictures keep two promises the skinned controls depend on:
// - every client area, and every pixel outside a rounded shape (blended
//   toward it), is exactly DialogColour, the ground the plain controls paint
//   in their parent's Color;
// - along a stretched span (between the corner points of a record) each row
//   or column is uniform in the stretching direction: gradients and lines run
//   across it, decoration stays in the fixed corners.
//
//   skingen <folder>   writes frame.bmp, mask.bmp, controls.bmp and Skin.ini
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "SkinPainter.h"

// The form's Color (15577679) as red, green, blue.
constexpr int DialogColourR = 79, DialogColourG = 178, DialogColourB = 237;

struct TSkinFile {
    std::string Name;
    std::vector<uint8_t> Bytes;
};

TDibImage PaintFramePicture();
TDibImage PaintFrameMask();
TDibImage PaintControlsPicture();
std::string SkinIniText();

// The files of the skin folder, in a fixed order.
std::vector<TSkinFile> GenerateSkin();

// The command line; messages go to err. Returns the exit code.
int RunSkinGen(const std::vector<std::string>& args, std::ostream& err);
