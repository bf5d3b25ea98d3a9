#include "gl/core/ScreenShotName.h"

#include "classlib/core/SysUtils.h"

std::string ScreenShotFileName(const std::string& fileName, int counter)
{
    const size_t dot = Pos(".", fileName);
    if (dot <= 1)
        return fileName;
    return fileName.substr(0, dot - 1) + IntToStr(counter) + fileName.substr(dot - 1);
}
