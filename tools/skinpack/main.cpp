#include <iostream>
#include <string>
#include <vector>

#include "SkinPack.h"

int main(int argc, char** argv)
{
    return RunSkinPack(std::vector<std::string>(argv + 1, argv + argc), std::cerr);
}
