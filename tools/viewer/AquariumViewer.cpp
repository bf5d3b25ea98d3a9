// The scenery viewer: the program's real aquarium (its description, meshes,
// pictures) drawn off the program's resources as the settings would show
// it, and saved as a picture, so that the content can be looked at and
// judged without the settings dialog.
//
//   AquariumViewer.exe <background 0..2> <SaltWater|FreshWater> <seconds> <out.bmp> [width height]
//
// The aquarium runs for the given seconds (fish swim in from the side) with
// the settings' defaults: 16-bit textures without mipmaps, depth emulated, far-to-near sorting, fish
// swimming both ways, about 20 fish (7 per shoal), 50 bubbles, and the
// 24-hour clock in the background's colour; then the last frame is written
// as a 24-bit BMP.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "../../tests/aquarium/win/AquariumSceneHost.h"
#include "classlib/core/Exceptions.h"
#include "scene/core/SceneTexture.h"

using namespace aquariumhost;

namespace {

void SaveBmp(const TFrame& frame, int width, int height, const std::string& path)
{
    const int stride = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;  // bottom-up, as GL reads
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biSizeImage = static_cast<DWORD>(stride * height);
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + info.biSizeImage;
    std::string rows(info.biSizeImage, '\0');
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < 3; ++c)
                rows[static_cast<size_t>(y) * stride + x * 3 + c] =
                    static_cast<char>(frame[(static_cast<size_t>(y) * width + x) * 4 + 2 - c]);
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof(file));
    out.write(reinterpret_cast<const char*>(&info), sizeof(info));
    out.write(rows.data(), static_cast<std::streamsize>(rows.size()));
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 5 && argc != 7) {
        std::fprintf(stderr, "usage: AquariumViewer <background> <group> <seconds> <out.bmp> [width height]\n");
        return 2;
    }
    const size_t background = static_cast<size_t>(std::atoi(argv[1]));
    const std::string group = argv[2];
    const float seconds = static_cast<float>(std::atof(argv[3]));
    const int width = argc == 7 ? std::atoi(argv[5]) : 1024;
    const int height = argc == 7 ? std::atoi(argv[6]) : 768;
    // The clock's colour of each background, as the settings choose it.
    const TGLColor colors[3] = {MakeColorRGBA(65, 170, 255, 255), MakeColorRGBA(0, 200, 235, 255),
                                MakeColorRGBA(0, 220, 160, 255)};
    try {
        TProgramResources resources;
        TAquariumHost host(width, height);
        host.Load();
        TSceneTextureList* textures = host.Find<TSceneTextureList>("Textures");
        textures->ColorBit16 = true;
        textures->MipMap = false;
        textures->UpdateTextures();
        for (TUnderWater* water : host.Backgrounds())
            water->EmulateDepth = true;
        for (const char* name : {"SaltWater", "FreshWater"}) {
            host.Find<TFishRender>(name)->SortAlpha = true;
            host.Find<TFishRender>(name)->FishDirection = fdBoth;
        }
        host.Show(background, group, 7, 50, 1, colors[background % 3]);
        for (float t = 0; t < seconds; t += 0.05f)
            host.DrawFrame(0.05f);
        SaveBmp(host.ReadFrame(), width, height, argv[4]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "AquariumViewer: %s\n", e.what());
        return 1;
    }
    return 0;
}
