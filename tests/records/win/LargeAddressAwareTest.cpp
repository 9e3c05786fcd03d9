// The program's own file, read as Windows reads it.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

namespace {

TEST(ProgramImage, VantrelMayUseMoreThanTwoGigabytes) {
    char self[MAX_PATH];
    ASSERT_GT(GetModuleFileNameA(nullptr, self, MAX_PATH), 0u);
    std::string program = self;
    program.erase(program.find_last_of('\\') + 1);
    program += "Vantrel.exe";
    // Others may be running it: read with everyone else.
    const HANDLE file = CreateFileA(program.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file) << program;
    char image[4096];
    DWORD read = 0;
    const BOOL done = ReadFile(file, image, sizeof image, &read, nullptr);
    CloseHandle(file);
    ASSERT_TRUE(done);

    IMAGE_DOS_HEADER dos;
    ASSERT_GE(read, sizeof dos);
    memcpy(&dos, image, sizeof dos);
    ASSERT_EQ(IMAGE_DOS_SIGNATURE, dos.e_magic);
    const size_t at = static_cast<size_t>(dos.e_lfanew);
    DWORD signature;
    IMAGE_FILE_HEADER header;
    ASSERT_GE(read, at + sizeof signature + sizeof header);
    memcpy(&signature, image + at, sizeof signature);
    ASSERT_EQ(static_cast<DWORD>(IMAGE_NT_SIGNATURE), signature);
    memcpy(&header, image + at + sizeof signature, sizeof header);
    EXPECT_TRUE(header.Characteristics & IMAGE_FILE_LARGE_ADDRESS_AWARE);
}

}  // namespace
