// The folder that holds the program file, where its help file lives.
#pragma once

#include <string>

// Drive and folders of the module's file name, without a trailing backslash.
std::string ProgramDirectory();

// The folder part of `fileName` (everything before its last backslash).
std::string FolderOf(const std::string& fileName);
