#include "app/core/OptionNames.h"

std::string ScrambleName(const std::string& text)
{
    std::string result = text;
    for (char& c : result)
        c = static_cast<char>(static_cast<unsigned char>(c) ^ 0xFFu);
    return result;
}

std::string OptionKeyPath(const std::string& company, const std::string& title,
                          const std::string& majorVersion)
{
    const std::string product = title + " " + majorVersion;
    if (company.empty())
        return "Software\\" + product;
    return "Software\\" + company + "\\" + product;
}
