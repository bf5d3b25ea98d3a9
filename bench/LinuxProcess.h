// The benchmarks' view of a Wine process from the Linux side: its process
// entry (Z:\proc\<pid>) and the CPU time it has used, every thread counted
// (the rasteriser's too, which Windows' own process times may leave out).
#pragma once

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <string>

// User plus system time of a process entry, in seconds (at the usual 100
// clock ticks per second); negative when it cannot be read or the process
// has ended (a zombie).
inline double LinuxCpuSeconds(const std::string& dir)
{
    FILE* file = std::fopen((dir + "\\stat").c_str(), "rb");
    if (file == nullptr)
        return -1;
    char text[1024] = {};
    std::fread(text, 1, sizeof text - 1, file);
    std::fclose(file);
    const char* rest = std::strrchr(text, ')');
    char state = 0;
    unsigned long long utime = 0, stime = 0;
    // After ")": state, then fields 4..13, then utime (14) and stime (15).
    if (rest == nullptr ||
        std::sscanf(rest + 1, " %c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %llu %llu", &state, &utime, &stime) != 3 ||
        state == 'Z')
        return -1;
    return static_cast<double>(utime + stime) / 100.0;
}

// The entry of the first running (not ended) process whose command line
// (its arguments joined by blanks) holds every one of `parts`; empty when
// there is none.
inline std::string FindLinuxProcess(std::initializer_list<std::string> parts)
{
    WIN32_FIND_DATAA entry;
    const HANDLE search = FindFirstFileA("Z:\\proc\\*", &entry);
    if (search == INVALID_HANDLE_VALUE)
        return {};
    std::string found;
    do {
        const std::string pid = entry.cFileName;
        if (pid.empty() || pid.find_first_not_of("0123456789") != std::string::npos)
            continue;
        const std::string dir = "Z:\\proc\\" + pid;
        std::string commandLine;
        if (FILE* file = std::fopen((dir + "\\cmdline").c_str(), "rb")) {
            for (int c; (c = std::fgetc(file)) != EOF;)
                commandLine += c == 0 ? ' ' : static_cast<char>(c);
            std::fclose(file);
        }
        bool all = true;
        for (const std::string& part : parts)
            all = all && commandLine.find(part) != std::string::npos;
        if (all && LinuxCpuSeconds(dir) >= 0)
            found = dir;
    } while (found.empty() && FindNextFileA(search, &entry));
    FindClose(search);
    return found;
}
