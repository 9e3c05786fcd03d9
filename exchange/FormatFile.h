// What the commands that read or write one file format whole (vCard,
// iCalendar) share: the standard Open and Save dialogs with a Help button on
// the format's help page, the file read or written with what the user is
// told when that fails, and the name messages give the file.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "DocumentFiles.h"
#include "EditorHelp.h"

// What sets one format's dialogs apart.
struct FormatFileDialog {
    const char* filter;     // pairs of shown text and pattern, each ended by '\0', then an empty pair
    const char* extension;  // given to a name typed without one, e.g. "vcf"
    const char* saveName;   // what the Save dialog offers
    const char* openTitle;
    const char* saveTitle;
    const char* helpPage;   // "::/html/<page>.htm>topic", after the help file's path
};

// Asks for the file to read (`save` false) or to write; true with `path`
// when one was chosen.
using FormatFileChooser = std::function<bool(HWND owner, bool save, std::string& path)>;

// The standard Open or Save dialog over `owner`; true with `path` when the
// user chose a file. Its Help button opens the format's page through `help`.
bool ChooseFormatFile(HWND owner, bool save, const FormatFileDialog& format, const EditorHelp& help,
                      std::string& path);

// The file at `path` read whole into `bytes`. When it cannot be read, a box
// over `frame` captioned `caption` says nothing was imported, and the answer
// is false.
bool ReadFormatFile(HWND frame, const std::string& path, const char* caption, std::string& bytes);

// The file at `path` written from what `produce` hands its writer, beside
// the target and put in its place only once complete. When that fails, a
// box over `frame` captioned `caption` says any old file was left as it was.
void WriteFormatFile(HWND frame, const std::string& path, const char* caption,
                     const std::function<bool(const FilePieceWriter& write)>& produce);

// The last part of a path: how messages name the file.
std::string FileNameOf(const std::string& path);
