// How documents reach the program from outside the File menu: Explorer (a
// double-clicked document, "Open with") and the command prompt name one
// after the program's name; Explorer drops files on the window.
#pragma once

#include <string>
#include <vector>

struct StartRequest {
    std::string document;   // the document to open; empty: start with an empty one
    std::string complaint;  // told before starting empty when the arguments were not usable
    bool usage = false;     // "/?": the list of what the program takes is shown
};

// Reads the arguments that follow the program's name, as Windows split
// them. One name is the document; a switch starts with '/'; an empty
// argument stands for nothing.
StartRequest ReadStartArguments(const std::vector<std::string>& arguments);

// The text "/?" shows: how to start the program.
std::string StartUsageText();

// What to do with files dropped on the window: open `document`, or tell
// `complaint` and open nothing. Only a single Vantrel! document (.pgr) is
// opened; `isFolder` tells a folder from a file.
struct DropVerdict {
    std::string document;
    std::string complaint;
};
DropVerdict JudgeDroppedFiles(const std::vector<std::string>& paths,
                              bool (*isFolder)(const std::string& path));

// `name` in the ANSI code page the program works in. A name the code page
// cannot spell is given as its short name; when even that fails the result
// is empty and `spelled` holds the name as well as it can be spelled.
std::string AnsiFileName(const wchar_t* name, std::string& spelled);

// The arguments of this process after its own name, each as AnsiFileName
// gives it; `unusable` receives a name that could not be spelled.
std::vector<std::string> ProgramArguments(std::string& unusable);

// What to tell when a document's name could not be spelled.
std::string UnusableNameText(const std::string& spelled);

// `name` as a full path, relative names taken from the current folder.
std::string FullDocumentPath(const std::string& name);
