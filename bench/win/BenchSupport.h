// What the Windows benchmarks share: a millisecond clock, medians of timed
// rounds, and finding the PDFs the private print server writes.
#pragma once

#include <windows.h>

#include <algorithm>
#include <functional>
#include <set>
#include <string>
#include <vector>

inline double Now() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

inline double Median(std::vector<double> times) {
    if (times.empty()) return 0;
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// Milliseconds of `work`, the median of `rounds`; `prepare` runs untimed
// before each round.
inline double Time(int rounds, const std::function<void()>& prepare, const std::function<void()>& work) {
    std::vector<double> times;
    for (int round = 0; round < rounds; ++round) {
        prepare();
        const double start = Now();
        work();
        times.push_back(Now() - start);
    }
    return Median(times);
}

// The PDF files of the print server's folder, by their Windows paths.
inline std::set<std::string> PdfFiles(const std::string& folder) {
    std::set<std::string> files;
    WIN32_FIND_DATAA found = {};
    HANDLE search = FindFirstFileA((folder + "\\*.pdf").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return files;
    do {
        files.insert(folder + "\\" + found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return files;
}

inline bool EndsAsAPdf(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    char tail[16] = "";
    DWORD read = 0;
    const LONG back = -static_cast<LONG>(sizeof tail - 1);
    const bool ok = SetFilePointer(file, back, nullptr, FILE_END) != INVALID_SET_FILE_POINTER &&
                    ReadFile(file, tail, sizeof tail - 1, &read, nullptr);
    CloseHandle(file);
    return ok && std::string(tail, read).find("%%EOF") != std::string::npos;
}

// The print server's PDF folder as Wine sees it, "" without a server.
inline std::string PdfFolder() {
    char unix[MAX_PATH] = "";
    if (!GetEnvironmentVariableA("VANTREL_TEST_PDF_DIR", unix, sizeof unix)) return "";
    std::string folder = std::string("Z:") + unix;
    std::replace(folder.begin(), folder.end(), '/', '\\');
    return folder;
}

