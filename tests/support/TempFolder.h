// Test support: a folder of its own under the temporary folder, removed
// with everything in it when the object goes.
#pragma once

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

namespace testsupport {

class TTempFolder {
public:
    TTempFolder() { std::filesystem::create_directories(FFolder); }
    ~TTempFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(FFolder, ignored);
    }
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;

    // The folder's name with a trailing separator, ready for a file name.
    std::string Path() const { return (FFolder / "").string(); }
    void Write(const std::string& name, const std::string& bytes) const
    {
        std::ofstream(FFolder / name, std::ios::binary) << bytes;
    }
    std::string Read(const std::string& name) const
    {
        std::ifstream in(FFolder / name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

private:
    static std::filesystem::path NewName()
    {
        static std::atomic<unsigned> counter{0};
        return std::filesystem::temp_directory_path() /
               ("corvalen-test-" + std::to_string(std::random_device()()) + "-" + std::to_string(counter++));
    }

    std::filesystem::path FFolder = NewName();
};

}  // namespace testsupport
