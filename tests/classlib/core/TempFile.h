// A file name in the temporary folder, unique to this run; the file is
// removed when the object goes.
#pragma once

#include <chrono>
#include <filesystem>
#include <string>

struct TempFile {
    explicit TempFile(const std::string& name)
        : FPath((std::filesystem::temp_directory_path() /
                 ("corvalen-" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()) + "-" + name))
                    .string())
    {
    }
    ~TempFile() { std::error_code ignored; std::filesystem::remove(FPath, ignored); }
    const std::string& Path() const { return FPath; }
    std::string FPath;
};
