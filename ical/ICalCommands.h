// The File menu's iCalendar commands. "Calendar from iCalendar..." adds the
// events and to-dos of an .ics file (from a web calendar, a mail program or
// a phone) to the appointments and tasks and says what it added and what it
// left out; "Calendar as iCalendar..." writes every appointment and task as
// a file such programs read.
#pragma once

#include <windows.h>

#include <string>

#include "EditorHelp.h"
#include "FormatFile.h"

class PimDocument;

class ICalCommands {
public:
    // The document and the help must outlive this object.
    ICalCommands(PimDocument& document, EditorHelp help);

    void SetFrame(HWND frame) { frame_ = frame; }
    // Answers the file dialog in its place (tests); none: ChooseFile.
    void SetFileChooser(FormatFileChooser chooser) { chooseFile_ = std::move(chooser); }

    // Whether `id` is one of the two commands; carries it out.
    bool Run(UINT id);

    void Import();
    void Export();

    // The standard file dialog for .ics files; its Help button opens the
    // iCalendar page.
    static bool ChooseFile(HWND owner, bool save, const EditorHelp& help, std::string& path);

private:
    bool Choose(bool save, std::string& path);

    PimDocument& document_;
    EditorHelp help_;
    HWND frame_ = nullptr;
    FormatFileChooser chooseFile_;
};
