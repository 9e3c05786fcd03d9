// url_recorder: stands in for the browser and the mail program in the tests
// of the contact panel. The tests point the shell's "open" command of a URL
// scheme at this program, so what the shell would hand to the browser ends
// up in a file the test can read.
//
// Usage: url_recorder.exe <output-file> <argument>...
// Writes each argument after the first on a line of its own (CR LF) to
// <output-file>. The file is written under another name and then renamed,
// so a reader that sees it sees all of it.
#include <windows.h>

#include <cstdlib>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    if (__argc < 2) return 2;
    const std::string output = __argv[1];
    std::string record;
    for (int i = 2; i < __argc; ++i) {
        record += __argv[i];
        record += "\r\n";
    }

    const std::string partial = output + ".part";
    HANDLE file = CreateFileA(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    DWORD written = 0;
    const BOOL wrote = WriteFile(file, record.data(), static_cast<DWORD>(record.size()), &written,
                                 nullptr);
    CloseHandle(file);
    if (!wrote || written != record.size()) return 1;
    return MoveFileExA(partial.c_str(), output.c_str(), MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
