// The PDF files that the tests' private print server writes (its cups-pdf
// queue is the only printer Wine sees), read back as text with pdftotext
// and as pictures with pdftoppm, both run from here as Unix programs.
#pragma once

#include <windows.h>

#include <set>
#include <string>
#include <vector>

class PdfOutput {
public:
    // The folder the PDF files appear in, as a Unix path; "" when these
    // tests run without the print server (cmake/wine-run.sh tells them).
    static std::string Folder();

    // Notes the PDF files already there.
    PdfOutput();
    // Deletes the files this object read.
    ~PdfOutput();
    PdfOutput(const PdfOutput&) = delete;
    PdfOutput& operator=(const PdfOutput&) = delete;

    // Waits for a new PDF file to be complete and returns its text laid out
    // as on the page, pages ended by form feeds; "" after `timeLimitMs`.
    std::string NextDocumentText(DWORD timeLimitMs = 30000);
    // The file NextDocumentText read last, as a Unix path.
    const std::string& LastFile() const { return lastFile_; }
    // How many new PDF files there are now.
    size_t NewFileCount() const;

    // Runs `script` with the Unix shell and waits until it has written
    // `resultFile` (a Unix path). Wine cannot wait for a Unix process
    // itself, so the script writes its result under a temporary name and
    // renames it when done. False when it was not there in time.
    static bool RunShell(const std::string& script, const std::string& resultFile,
                         DWORD timeLimitMs = 30000);
    // "Z:" and backslashes: the Unix path as Wine's drive Z sees it.
    static std::string WindowsPath(const std::string& unixPath);

private:
    std::set<std::string> PdfFiles() const;

    std::string folder_;
    std::set<std::string> before_;
    std::string lastFile_;
    std::vector<std::string> read_;
};
