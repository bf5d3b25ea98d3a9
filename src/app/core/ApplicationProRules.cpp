#include "app/core/ApplicationProRules.h"

#include "classlib/core/SysUtils.h"

bool FindSwitchIn(const std::vector<std::string>& parameters, const std::string& switchName)
{
    const std::string wanted = UpperCase(switchName);
    for (const std::string& parameter : parameters) {
        if (parameter.empty() || (parameter[0] != '-' && parameter[0] != '/'))
            continue;
        if (Pos(wanted, UpperCase(parameter)) == 2)
            return true;
    }
    return false;
}

std::string ExeBaseName(const std::string& exeFileName)
{
    const std::string name = ExtractFileName(exeFileName);
    return name.substr(0, name.find('.'));
}

std::string SingleInstanceName(const std::string& baseName)
{
    return baseName + "Semaphore";
}

std::string LogFileNameOf(const std::string& exeDir, const std::string& baseName)
{
    return exeDir + baseName + ".log";
}

std::string AddTrailingBackslash(const std::string& path)
{
    return path.empty() ? path : IncludeTrailingBackslash(path);
}

namespace {

// Centres `size` in `region`, then keeps it inside 0 .. `screen`.
int CenterClamped(int region, int size, int screen)
{
    int position = (region - size) / 2;
    if (position + size > screen)
        position = screen - size;
    if (position < 0)
        position = 0;
    return position;
}

}  // namespace

TFormPlacement CenterMainFormPosition(int screenWidth, int screenHeight, int formWidth,
                                      int formHeight)
{
    if (screenWidth <= screenHeight) {
        const int regionHeight = screenWidth * 3 / 4;
        return {(screenWidth - formWidth) / 2, CenterClamped(regionHeight, formHeight, screenHeight)};
    }
    const int regionWidth = screenHeight * 4 / 3;
    return {CenterClamped(regionWidth, formWidth, screenWidth), (screenHeight - formHeight) / 2};
}
