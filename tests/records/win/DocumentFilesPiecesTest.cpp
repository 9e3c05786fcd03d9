// Replacing a file with bytes made a piece at a time, on the real file
// system.
#include <gtest/gtest.h>
#include <windows.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "DocumentFiles.h"

namespace {

// What a producer does: hands on its pieces, then says whether it made
// them all, or throws; and the bytes the file then holds. (ReplaceDocumentFile
// goes the same way with one piece: its tests cover a read-only target.)
struct Producer {
    std::vector<std::string> pieces;
    bool made;
    bool throws;
    const char* file;
};

TEST(DocumentFilesInPieces, TheFileTakesThePiecesOnlyWhenAllWereMade) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "vantrel-pieces-" + std::to_string(GetCurrentProcessId());
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
    const std::string path = folder + "\\list.csv";
    const Producer producers[] = {
        {{"first ", "", "second"}, true, false, "first second"},
        {{"half"}, false, false, "old"},
        {{"half"}, true, true, "old"},
    };
    for (const Producer& producer : producers) {
        ASSERT_TRUE(ReplaceDocumentFile(path, "old"));
        const bool replaced = ReplaceDocumentFileInPieces(path, [&](const FilePieceWriter& write) {
            for (const std::string& piece : producer.pieces)
                if (!write(piece.data(), piece.size())) return false;
            if (producer.throws) throw std::runtime_error("out of memory");
            return producer.made;
        });
        EXPECT_EQ(producer.made && !producer.throws, replaced);
        std::string bytes;
        ASSERT_TRUE(ReadDocumentFile(path, bytes));
        EXPECT_EQ(producer.file, bytes);
        // No temporary file is left beside it.
        WIN32_FIND_DATAA found;
        const HANDLE search = FindFirstFileA((folder + "\\VTR*").c_str(), &found);
        EXPECT_EQ(INVALID_HANDLE_VALUE, search);
        if (search != INVALID_HANDLE_VALUE) FindClose(search);
    }
    DeleteFileA(path.c_str());
    RemoveDirectoryA(folder.c_str());
}

}  // namespace
