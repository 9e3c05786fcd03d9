// Speed of the delimited-text import and export, against libcsv reading the
// same persons text and against writing the same bytes.
//
//   bench_exchange [rounds]             the table (default 5 rounds)
//   bench_exchange --import-persons R   only the persons import, R times, or
//   bench_exchange --export-persons R   only the export (its pieces dropped), or
//   bench_exchange --libcsv R           only libcsv's parse (for a profiler)
//   bench_exchange --import-vcards R    only the vCard import, or
//   bench_exchange --export-vcards R    only the vCard export (its pieces dropped)
//   bench_exchange --calendar R         only the iCalendar table
//
// Export is compared with writing its bytes: the export's pieces written to
// a file as they come, against a fresh string of their size, copied and
// written; the export built whole against that copy alone; and with the
// least any export must do, the fields' bytes copied out of the records
// into a buffer already there.
//
// The persons text is a header and 100,000 rows of 18 double-quoted
// columns, enclosers doubled inside, about 15% of Notes over two or more
// lines (CR LF), about 10% with quotes (23.9 MB). Appointments are timed at
// 10,000 and 100,000 to show the collision check's n log n. Every figure is
// the median of rounds that alternate with its reference inside one process.
//
// The same persons saved as "CSV UTF-8" (a byte-order mark, every other
// first name with an "é") are imported from their bytes, the conversion to
// the ANSI code page included; against libcsv parsing that UTF-8 file.
//
// Last, an iCalendar file of 10,000 events, half of them weekly for a year,
// read and expanded (bench/BenchCalendar.cpp).
#include <csv.h>
#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "BenchCalendar.h"
#include "BenchData.h"
#include "DelimitedText.h"
#include "DocumentFile.h"
#include "PimDocument.h"
#include "TextEncoding.h"
#include "VCard.h"

namespace {

using Clock = std::chrono::steady_clock;

void GeneratePersons(size_t count, PimDocument& document) {
    Random random(uint32_t(count) * 2654435761u + 1);
    for (size_t i = 1; i <= count; ++i) {
        Person p = RandomPerson(random, int32_t(i));
        p.WhitePages = 1;
        document.persons.Insert(p.ID, p);
    }
    document.persons.SetLastID(int32_t(count));
}

// Appointments that never collide: eight two-hour slots a day, day after
// day, so every line of the text is added.
void GenerateAppointments(size_t count, PimDocument& document) {
    Random random(uint32_t(count) * 40503u + 7);
    const DateTime first = DateTime::FromFields(2000, 1, 1, 0, 0, 0);
    for (size_t i = 1; i <= count; ++i) {
        Appointment a;
        a.ID = int32_t(i);
        a.Description = Notes(random);
        a.DueDate = first + DateSpan(double((i - 1) / 8));
        a.StartTime = a.DueDate + DateSpan::FromParts(0, 6 + 2 * double((i - 1) % 8), 0, 0);
        a.EndTime = a.StartTime + DateSpan::FromParts(0, 1, 0, 0);
        a.Alarm = random.Below(2) != 0;
        a.AlarmTime = a.StartTime - DateSpan::FromParts(0, 0, 15, 0);
        document.appointments.Insert(a.ID, a);
    }
    document.appointments.SetLastID(int32_t(count));
}

ExchangeSettings Settings(ExchangeKind kind, bool import) {
    ExchangeSettings settings = import ? ImportSettingsFor(kind) : ExportSettingsFor(kind);
    settings.FieldMap = ExportSettingsFor(kind).AvailableFields;
    settings.ColumnCount = int32_t(settings.FieldMap.size());
    settings.FirstLineHasNames = true;
    settings.Separator = ",";
    settings.Encloser = "\"";
    return settings;
}

double Milliseconds(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double MBps(size_t bytes, double ms) { return double(bytes) / 1e6 / (ms / 1000.0); }

void WriteOut(const char* bytes, size_t size, const char* path) {
    FILE* file = std::fopen(path, "wb");
    if (!file) return;
    std::fwrite(bytes, 1, size, file);
    std::fclose(file);
}

// After a document is freed, the allocator gathers its small chunks at the
// next large request; that work belongs to no figure, so it is done here.
void SettleHeap() {
    void* volatile block = std::malloc(16 << 20);  // volatile: the pair is not left out
    std::free(block);
}

struct CsvCounts {
    size_t fields = 0;
    size_t rows = 0;
};
void OnField(void*, size_t, void* data) { ++static_cast<CsvCounts*>(data)->fields; }
void OnRow(int, void* data) { ++static_cast<CsvCounts*>(data)->rows; }

CsvCounts ParseWithLibcsv(const std::string& text) {
    CsvCounts counts;
    csv_parser parser;
    csv_init(&parser, 0);
    csv_parse(&parser, text.data(), text.size(), OnField, OnRow, &counts);
    csv_fini(&parser, OnField, OnRow, &counts);
    csv_free(&parser);
    return counts;
}

// Imports into `document`, which the caller destroys after the clock stops.
// The fields' bytes, with the separators and enclosers around them, copied
// out of the records into `buffer` (large enough): no doubling, no checks.
size_t CopyFields(const PimDocument& document, std::vector<char>& buffer) {
    static const Text Person::*const kTexts[] = {
        &Person::FName, &Person::LName, &Person::Addr1, &Person::Addr2, &Person::City,
        &Person::State, &Person::Zip, &Person::HmPhone, &Person::WkPhone, &Person::WkExt,
        &Person::Fax, &Person::CelPhone, &Person::Pager, &Person::EMail, &Person::WebPage,
        &Person::Company, &Person::Position, &Person::Notes};
    char* p = buffer.data();
    for (const auto& entry : document.persons) {
        for (const Text Person::*text : kTexts) {
            const std::string_view value = entry.second.*text;
            *p++ = ',';
            *p++ = '"';
            std::memcpy(p, value.data(), value.size());
            p += value.size();
            *p++ = '"';
        }
        *p++ = '\n';
    }
    return size_t(p - buffer.data());
}

int32_t Import(ExchangeKind kind, const char* bytes, size_t length, std::unique_ptr<PimDocument>& document) {
    document = std::make_unique<PimDocument>();
    const ImportResult result =
        ImportDelimitedText(*document, kind, Settings(kind, true), bytes, length, PlatformExchangeLocale());
    return result.added;
}

int32_t Import(ExchangeKind kind, const std::string& text, std::unique_ptr<PimDocument>& document) {
    return Import(kind, text.data(), text.size(), document);
}

// The persons text as a spreadsheet saves it in UTF-8, and the ANSI text its
// conversion must give back. The generator writes ASCII only, so every
// other record's first name gets an "é" for its second letter: a record
// begins with the encloser at the start of a line (no line of the notes
// does), and a first name has three letters or more.
struct Utf8Persons {
    std::string ansi;
    std::string utf8;
};
Utf8Persons AccentedUtf8(const std::string& text) {
    Utf8Persons persons{text, "\xEF\xBB\xBF"};
    size_t row = 0;
    for (size_t i = text.find('\n'); i != std::string::npos && i + 3 < text.size(); i = text.find('\n', i + 1)) {
        if (text[i + 1] == '"' && ++row % 2 == 0) persons.ansi[i + 3] = '\xE9';
    }
    // Code page 1252 is Latin-1 but for 0x80-0x9F, which the text lacks.
    persons.utf8.reserve(persons.ansi.size() + persons.ansi.size() / 64);
    for (char c : persons.ansi) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            persons.utf8 += c;
        } else {
            persons.utf8 += static_cast<char>(0xC0 | byte >> 6);
            persons.utf8 += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return persons;
}

int32_t Import(ExchangeKind kind, const std::string& text) {
    std::unique_ptr<PimDocument> document;
    return Import(kind, text, document);
}

void PersonsTable(int rounds) {
    PimDocument document;
    GeneratePersons(100000, document);
    const ExchangeSettings out = Settings(ExchangeKind::kPersons, false);
    const std::string text = BuildExportText(document, ExchangeKind::kPersons, out, PlatformExchangeLocale()).text;
    const CsvCounts counts = ParseWithLibcsv(text);
    const int32_t added = Import(ExchangeKind::kPersons, text);
    std::printf("persons: %zu bytes, %zu rows by libcsv, %d added by the import\n", text.size(), counts.rows,
                added);
    const Utf8Persons persons = AccentedUtf8(text);
    const std::string& utf8 = persons.utf8;
    {
        const AnsiText ansi(utf8.data(), utf8.size(), PlatformExchangeLocale());
        std::unique_ptr<PimDocument> imported;
        std::printf("persons in UTF-8: %zu bytes, %zu rows by libcsv, %d added by the import, %s\n", utf8.size(),
                    ParseWithLibcsv(utf8).rows, Import(ExchangeKind::kPersons, utf8.data(), utf8.size(), imported),
                    std::string(ansi.data(), ansi.size()) == persons.ansi && ansi.Lost() == 0
                        ? "converted as written"
                        : "CONVERTED WRONG");
    }

    // A file in memory where there is one, so that the disk's write-back
    // does not land on whichever round runs into it.
    const char* path = access("/dev/shm", W_OK) == 0 ? "/dev/shm/bench_exchange.out" : "/tmp/bench_exchange.out";
    std::vector<double> import, csv, build, copy, exportWrite, plainWrite, fields, convert, utf8Import, utf8Csv;
    std::vector<char> buffer(text.size() * 2);
    size_t sink = 0;
    for (int round = 0; round < rounds; ++round) {
        std::unique_ptr<PimDocument> imported;
        auto start = Clock::now();
        sink += size_t(Import(ExchangeKind::kPersons, text, imported));
        import.push_back(Milliseconds(start));
        imported.reset();
        SettleHeap();

        start = Clock::now();
        sink += ParseWithLibcsv(text).fields;
        csv.push_back(Milliseconds(start));

        // The import converts the file itself; the conversion alone is
        // timed apart.
        start = Clock::now();
        sink += size_t(Import(ExchangeKind::kPersons, utf8.data(), utf8.size(), imported));
        utf8Import.push_back(Milliseconds(start));
        start = Clock::now();
        sink += AnsiText(utf8.data(), utf8.size(), PlatformExchangeLocale()).size();
        convert.push_back(Milliseconds(start));
        imported.reset();
        SettleHeap();

        start = Clock::now();
        sink += ParseWithLibcsv(utf8).fields;
        utf8Csv.push_back(Milliseconds(start));

        start = Clock::now();
        {
            const ExportText built = BuildExportText(document, ExchangeKind::kPersons, out, PlatformExchangeLocale());
            build.push_back(Milliseconds(start));
            sink += built.text.size();
        }

        // As the program exports: the pieces written to the file as they come.
        start = Clock::now();
        if (FILE* file = std::fopen(path, "wb")) {
            const auto write = [file, &sink](const char* bytes, size_t size) {
                sink += size;
                return std::fwrite(bytes, 1, size, file) == size;
            };
            ExportDelimitedText(document, ExchangeKind::kPersons, out, PlatformExchangeLocale(), write);
            std::fclose(file);
        }
        exportWrite.push_back(Milliseconds(start));

        // The same bytes into a fresh string of their size, then to the file.
        start = Clock::now();
        {
            std::string same(text.size(), '\0');
            std::memcpy(&same[0], text.data(), text.size());
            copy.push_back(Milliseconds(start));
            WriteOut(same.data(), same.size(), path);
            plainWrite.push_back(Milliseconds(start));
            sink += same.size();
        }

        start = Clock::now();
        sink += CopyFields(document, buffer);
        fields.push_back(Milliseconds(start));
    }
    std::remove(path);
    const size_t n = text.size();
    std::printf("  import            %8.1f ms %7.0f MB/s   libcsv %8.1f ms %7.0f MB/s   import/libcsv %5.2f\n",
                Median(import), MBps(n, Median(import)), Median(csv), MBps(n, Median(csv)),
                Median(import) / Median(csv));
    const size_t u = utf8.size();
    std::printf("  UTF-8 import      %8.1f ms %7.0f MB/s   libcsv %8.1f ms %7.0f MB/s   import/libcsv %5.2f\n",
                Median(utf8Import), MBps(u, Median(utf8Import)), Median(utf8Csv), MBps(u, Median(utf8Csv)),
                Median(utf8Import) / Median(utf8Csv));
    std::printf("    of which to ANSI %7.1f ms %7.0f MB/s\n", Median(convert), MBps(u, Median(convert)));
    std::printf("  export (build)    %8.1f ms %7.0f MB/s   copy   %8.1f ms %7.0f MB/s   build/copy    %5.2f\n",
                Median(build), MBps(n, Median(build)), Median(copy), MBps(n, Median(copy)),
                Median(build) / Median(copy));
    std::printf("  export and write  %8.1f ms %7.0f MB/s   write  %8.1f ms %7.0f MB/s   export/write  %5.2f\n",
                Median(exportWrite), MBps(n, Median(exportWrite)), Median(plainWrite),
                MBps(n, Median(plainWrite)), Median(exportWrite) / Median(plainWrite));
    std::printf("  export (build)    %8.1f ms %7.0f MB/s   fields %8.1f ms %7.0f MB/s   build/fields  %5.2f\n",
                Median(build), MBps(n, Median(build)), Median(fields), MBps(n, Median(fields)),
                Median(build) / Median(fields));
    if (sink == 0) std::printf("(nothing measured)\n");
}

// The persons as a file of 100,000 vCards 3.0 in our export's shape, with
// notes three times as long, so that every note folds, and a third of the
// cards with their names in quoted-printable UTF-8 as phones write them,
// each name with an "\xE9", the N line over a soft line break.
std::string VCardFile(PimDocument& document) {
    Random random(20261208);
    for (auto& entry : document.persons) {
        Person& p = entry.second;
        p.Notes = p.Notes + " " + Notes(random) + " " + Notes(random);
    }
    std::string exported;
    ExportVCards(document, PlatformVCardCodePages(), [&exported](const char* bytes, size_t size) {
        exported.append(bytes, size);
        return true;
    });
    std::string file;
    file.reserve(exported.size() + exported.size() / 8);
    size_t card = 0;
    for (size_t at = 0; at < exported.size();) {
        const size_t end = exported.find("\r\n", at) + 2;
        const std::string_view line(exported.data() + at, end - at);
        if (line.compare(0, 2, "N:") == 0 && ++card % 3 == 0) {
            // "N:Last;First;;;" as "N;...:L=C3=A9st;F=C3=A9rst;;;", with a
            // soft line break after the last name.
            const size_t semicolon = line.find(';');
            const std::string last(line.substr(2, semicolon - 2)), first(line.substr(semicolon + 1));
            file += "N;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:";
            file += last.substr(0, 1) + "=C3=A9" + last.substr(2) + ";=\r\n";
            file += first.substr(0, 1) + "=C3=A9" + first.substr(2);
        } else {
            file.append(line.data(), line.size());
        }
        at = end;
    }
    return file;
}

void VCardTable(int rounds) {
    // What is exported: the persons as the program holds them once their
    // document is opened, each record's texts allocated in turn (not
    // scattered by the notes VCardFile makes longer).
    PimDocument document;
    std::string file;
    {
        PimDocument generated;
        GeneratePersons(100000, generated);
        file = VCardFile(generated);
        std::string saved;
        WriteDocument(generated, saved);
        LoadDocument(document, saved.data(), saved.size());
    }
    SettleHeap();
    {
        PimDocument imported;
        const VCardImportResult result = ImportVCards(imported, file.data(), file.size(), PlatformVCardCodePages());
        std::printf("vCards: %zu bytes, %d cards, %d added, %d noted, %s\n", file.size(), result.cards, result.added,
                    result.notedCards,
                    imported.persons[3].FName.view().substr(1, 1) == "\xE9" ? "names read" : "NAMES READ WRONG");
    }
    const char* path = access("/dev/shm", W_OK) == 0 ? "/dev/shm/bench_exchange.vcf" : "/tmp/bench_exchange.vcf";
    std::vector<double> import, exportWrite, plainWrite;
    size_t sink = 0, exportedBytes = 0;
    for (int round = 0; round < rounds; ++round) {
        {
            std::unique_ptr<PimDocument> imported = std::make_unique<PimDocument>();
            const auto start = Clock::now();
            sink += size_t(ImportVCards(*imported, file.data(), file.size(), PlatformVCardCodePages()).added);
            import.push_back(Milliseconds(start));
        }
        SettleHeap();

        // As the program exports: the pieces written to the file as they come.
        auto start = Clock::now();
        exportedBytes = 0;
        if (FILE* out = std::fopen(path, "wb")) {
            const auto write = [out, &exportedBytes](const char* bytes, size_t size) {
                exportedBytes += size;
                return std::fwrite(bytes, 1, size, out) == size;
            };
            ExportVCards(document, PlatformVCardCodePages(), write);
            std::fclose(out);
        }
        exportWrite.push_back(Milliseconds(start));
        sink += exportedBytes;

        // The same number of bytes into a fresh string, then to the file.
        start = Clock::now();
        {
            std::string same(exportedBytes, '\0');
            std::memcpy(&same[0], file.data(), std::min(exportedBytes, file.size()));
            WriteOut(same.data(), same.size(), path);
            sink += same.size();
        }
        plainWrite.push_back(Milliseconds(start));
    }
    std::remove(path);
    std::printf("  vCard import      %8.1f ms %7.0f MB/s\n", Median(import), MBps(file.size(), Median(import)));
    std::printf("  vCard export and write %5.1f ms %6.0f MB/s   write  %8.1f ms %7.0f MB/s   export/write  %5.2f\n",
                Median(exportWrite), MBps(exportedBytes, Median(exportWrite)), Median(plainWrite),
                MBps(exportedBytes, Median(plainWrite)), Median(exportWrite) / Median(plainWrite));
    if (sink == 0) std::printf("(nothing measured)\n");
}

void AppointmentsTable(int rounds) {
    double perRecord[2] = {0, 0};
    int row = 0;
    for (size_t count : {size_t(10000), size_t(100000)}) {
        PimDocument document;
        GenerateAppointments(count, document);
        const ExchangeSettings out = Settings(ExchangeKind::kAppointments, false);
        const std::string text =
            BuildExportText(document, ExchangeKind::kAppointments, out, PlatformExchangeLocale()).text;
        const int32_t added = Import(ExchangeKind::kAppointments, text);
        std::vector<double> import, build;
        size_t sink = 0;
        for (int round = 0; round < rounds; ++round) {
            std::unique_ptr<PimDocument> imported;
            auto start = Clock::now();
            sink += size_t(Import(ExchangeKind::kAppointments, text, imported));
            import.push_back(Milliseconds(start));
            imported.reset();
            SettleHeap();
            start = Clock::now();
            sink += BuildExportText(document, ExchangeKind::kAppointments, out, PlatformExchangeLocale()).text.size();
            build.push_back(Milliseconds(start));
        }
        perRecord[row++] = Median(import) / double(count);
        std::printf("appointments %6zu: %9zu bytes, %6d added | import %7.1f ms %5.0f MB/s | export %7.1f ms %5.0f MB/s%s\n",
                    count, text.size(), added, Median(import), MBps(text.size(), Median(import)),
                    Median(build), MBps(text.size(), Median(build)), sink ? "" : " (nothing measured)");
    }
    std::printf("  import time per appointment, 100,000 against 10,000: %.2f\n", perRecord[1] / perRecord[0]);
}

}  // namespace

int main(int argc, char** argv) {
    // Freed memory stays with the process and large texts come from the
    // heap, so that no figure includes the kernel's first touch of fresh
    // pages (about 3 us a page here), which each side would pay alike, but
    // whichever ran first in a round would pay alone.
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, INT32_MAX);
    if (argc == 3 && std::strcmp(argv[1], "--export-persons") == 0) {
        PimDocument document;
        GeneratePersons(100000, document);
        const int repeats = std::max(1, std::atoi(argv[2]));
        const auto start = Clock::now();
        size_t bytes = 0;
        const auto drop = [&bytes](const char*, size_t size) {
            bytes += size;
            return true;
        };
        for (int i = 0; i < repeats; ++i)
            ExportDelimitedText(document, ExchangeKind::kPersons, Settings(ExchangeKind::kPersons, false),
                                PlatformExchangeLocale(), drop);
        std::printf("export %zu bytes x %d: %.1f ms each\n", bytes / size_t(repeats), repeats,
                    Milliseconds(start) / repeats);
        return 0;
    }
    if (argc == 3 && std::strcmp(argv[1], "--libcsv") == 0) {
        PimDocument document;
        GeneratePersons(100000, document);
        const std::string text = BuildExportText(document, ExchangeKind::kPersons,
                                                 Settings(ExchangeKind::kPersons, false),
                                                 PlatformExchangeLocale()).text;
        const int repeats = std::max(1, std::atoi(argv[2]));
        const auto start = Clock::now();
        size_t fields = 0;
        for (int i = 0; i < repeats; ++i) fields += ParseWithLibcsv(text).fields;
        std::printf("libcsv %zu fields x %d: %.1f ms each\n", fields / size_t(repeats), repeats,
                    Milliseconds(start) / repeats);
        return 0;
    }
    if (argc == 3 && std::strcmp(argv[1], "--import-persons") == 0) {
        PimDocument document;
        GeneratePersons(100000, document);
        const std::string text = BuildExportText(document, ExchangeKind::kPersons,
                                                 Settings(ExchangeKind::kPersons, false),
                                                 PlatformExchangeLocale()).text;
        const int repeats = std::max(1, std::atoi(argv[2]));
        const auto start = Clock::now();
        size_t added = 0;
        for (int i = 0; i < repeats; ++i) added += size_t(Import(ExchangeKind::kPersons, text));  // freeing included
        std::printf("import %zu persons x %d: %.1f ms each\n", added / size_t(repeats), repeats,
                    Milliseconds(start) / repeats);
        return 0;
    }
    if (argc == 3 && (std::strcmp(argv[1], "--import-vcards") == 0 || std::strcmp(argv[1], "--export-vcards") == 0)) {
        PimDocument document;
        GeneratePersons(100000, document);
        const std::string file = VCardFile(document);
        const bool import = argv[1][2] == 'i';
        const int repeats = std::max(1, std::atoi(argv[2]));
        double ms = 0;
        size_t count = 0;
        for (int i = 0; i < repeats; ++i) {
            PimDocument imported;  // freed after the clock stops
            const auto start = Clock::now();
            if (import) {
                count += size_t(ImportVCards(imported, file.data(), file.size(), PlatformVCardCodePages()).added);
            } else {
                ExportVCards(document, PlatformVCardCodePages(), [&count](const char*, size_t size) {
                    count += size;
                    return true;
                });
            }
            ms += Milliseconds(start);
        }
        std::printf("%s %zu x %d: %.1f ms each\n", import ? "vCard import, persons" : "vCard export, bytes",
                    count / size_t(repeats), repeats, ms / repeats);
        return 0;
    }
    if (argc == 3 && std::strcmp(argv[1], "--calendar") == 0) {
        CalendarTable(std::max(1, std::atoi(argv[2])));
        return 0;
    }
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    PersonsTable(rounds);
    VCardTable(rounds);
    AppointmentsTable(rounds);
    CalendarTable(rounds);
    return 0;
}
