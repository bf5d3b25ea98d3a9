#include <iostream>
#include <string>
#include <vector>

#include "SkinGen.h"

int main(int argc, char** argv)
{
    return RunSkinGen(std::vector<std::string>(argv + 1, argv + argc), std::cerr);
}
