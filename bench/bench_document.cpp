// Load and save speed of the document file against a reference XML parser
// and against the cost of merely formatting the same text.
//
//   bench_document [rounds]        the table for 1,000, 10,000 and 100,000 records
//   bench_document --peak N        load a generated N document in a fresh
//                                  process and print its peak memory
//   bench_document --load N R      only load an N document R times (for a
//   bench_document --save N R      profiler), only save it, or only parse and
//   bench_document --pugi N R      visit it with the reference parser
//   bench_document --write N FILE  write the generated N document, to open
//                                  it in the program by hand
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <pugixml.hpp>
#include <string>
#include <vector>

#include "BenchData.h"
#include "DocumentFile.h"
#include "PimDocument.h"

namespace {

using Clock = std::chrono::steady_clock;

int64_t SomeMoment(Random& random) { return 946684800 + int64_t(random.Below(30 * 365)) * 86400; }

void Generate(size_t count, PimDocument& document) {
    Random random(uint32_t(count) * 2654435761u + 1);
    for (size_t i = 1; i <= count; ++i) {
        Person p = RandomPerson(random, int32_t(i));
        p.WhitePages = int32_t(random.Below(2));
        p.YellowPages = int32_t(random.Below(2));
        document.persons.Insert(p.ID, p);

        Task t;
        t.ID = int32_t(i);
        t.Description = Notes(random);
        t.Priority = int32_t(random.Below(4));
        t.DueDate = DateTime::FromUnixTime(SomeMoment(random));
        t.DoneDate = DateTime::FromUnixTime(SomeMoment(random));
        document.tasks.Insert(t.ID, t);

        Appointment a;
        a.ID = int32_t(i);
        a.Description = Notes(random);
        const int64_t day = SomeMoment(random);
        a.DueDate = DateTime::FromUnixTime(day);
        a.StartTime = DateTime::FromUnixTime(day + 9 * 3600 + random.Below(32) * 900);
        a.EndTime = a.StartTime + DateSpan::FromParts(0, 1, 0, 0);
        a.Alarm = random.Below(2) != 0;
        a.AlarmTime = a.StartTime - DateSpan::FromParts(0, 0, 15, 0);
        a.Done = random.Below(10) == 0;
        document.appointments.Insert(a.ID, a);
    }
    document.persons.SetLastID(int32_t(count));
    document.tasks.SetLastID(int32_t(count));
    document.appointments.SetLastID(int32_t(count));
}

std::string GeneratedText(size_t count) {
    PimDocument document;
    Generate(count, document);
    std::string text;
    WriteDocument(document, text);
    return text;
}

double Milliseconds(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void WriteOut(const std::string& text, const char* path) {
    FILE* file = std::fopen(path, "wb");
    if (!file) return;
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
}

// The text split into literal runs and numbers, so the limit can rebuild it
// with nothing but copies and to_chars.
struct TextPieces {
    std::vector<std::string> literals;  // literals[i] precedes numbers[i]
    std::vector<int64_t> numbers;
};

TextPieces SplitNumbers(const std::string& text) {
    TextPieces pieces;
    std::string literal;
    for (size_t i = 0; i < text.size();) {
        const bool startsNumber = i > 0 && text[i - 1] == '"' && i >= 2 && text[i - 2] == '=' &&
                                  (std::isdigit((unsigned char)text[i]) || text[i] == '-');
        if (startsNumber) {
            size_t end = i + 1;
            while (end < text.size() && std::isdigit((unsigned char)text[end])) ++end;
            if (end < text.size() && text[end] == '"' && end - i < 19) {
                int64_t value = 0;
                std::from_chars(text.data() + i, text.data() + end, value);
                pieces.literals.push_back(std::move(literal));
                literal.clear();
                pieces.numbers.push_back(value);
                i = end;
                continue;
            }
        }
        literal.push_back(text[i++]);
    }
    pieces.literals.push_back(std::move(literal));
    return pieces;
}

std::string FormatPieces(const TextPieces& pieces, size_t size) {
    std::string out;
    out.reserve(size);
    char digits[24];
    for (size_t i = 0; i < pieces.numbers.size(); ++i) {
        out += pieces.literals[i];
        auto result = std::to_chars(digits, digits + sizeof digits, pieces.numbers[i]);
        out.append(digits, size_t(result.ptr - digits));
    }
    out += pieces.literals.back();
    return out;
}

size_t VisitPugi(const pugi::xml_node& node) {
    size_t total = 0;
    for (pugi::xml_attribute a : node.attributes()) total += std::strlen(a.value()) + 1;
    for (pugi::xml_node child : node.children()) total += VisitPugi(child);
    return total;
}

void RunTable(int rounds) {
    std::printf("%8s %10s | %9s %9s %8s | %9s %9s %8s | %7s %7s\n", "records", "bytes", "load ms",
                "pugi ms", "load/pugi", "save ms", "limit ms", "save/lim", "load MB/s",
                "save MB/s");
    const char* outPath = "/tmp/bench_document.out";
    for (size_t count : {size_t(1000), size_t(10000), size_t(100000)}) {
        const std::string text = GeneratedText(count);
        const TextPieces pieces = SplitNumbers(text);
        PimDocument saved;
        LoadDocument(saved, text.data(), text.size());
        const int n = count >= 100000 ? rounds : rounds * 3;
        std::vector<double> load, pugi, save, limit;
        size_t sink = 0;
        for (int round = 0; round < n; ++round) {
            {
                auto document = std::make_unique<PimDocument>();
                auto start = Clock::now();
                LoadDocument(*document, text.data(), text.size());
                load.push_back(Milliseconds(start));
                sink += document->persons.size();
            }
            {
                std::unique_ptr<char[]> copy(new char[text.size()]);
                std::memcpy(copy.get(), text.data(), text.size());
                auto start = Clock::now();
                pugi::xml_document document;
                document.load_buffer_inplace(copy.get(), text.size());
                sink += VisitPugi(document);
                pugi.push_back(Milliseconds(start));
            }
            {
                auto start = Clock::now();
                std::string out;
                WriteDocument(saved, out);
                WriteOut(out, outPath);
                save.push_back(Milliseconds(start));
                if (out != text) std::printf("written text differs from the loaded text!\n");
            }
            {
                auto start = Clock::now();
                std::string out = FormatPieces(pieces, text.size());
                WriteOut(out, outPath);
                limit.push_back(Milliseconds(start));
                sink += out.size();
            }
        }
        const double mb = double(text.size()) / 1e6;
        std::printf("%8zu %10zu | %9.1f %9.1f %8.2f | %9.1f %9.1f %8.2f | %7.0f %7.0f\n", count,
                    text.size(), Median(load), Median(pugi), Median(load) / Median(pugi),
                    Median(save), Median(limit), Median(save) / Median(limit),
                    mb / Median(load) * 1000, mb / Median(save) * 1000);
        if (sink == 0) std::printf("(nothing measured)\n");
    }
    std::remove(outPath);
}

// Reads the file as the program would, loads it, and reports the process's
// peak resident memory.
int PeakMode(size_t count) {
    const char* path = "/tmp/bench_document_peak.pgr";
    {
        // Written by a child, so that this process's peak is the load alone.
        pid_t child = fork();
        if (child == 0) {
            WriteOut(GeneratedText(count), path);
            _exit(0);
        }
        int status = 0;
        waitpid(child, &status, 0);
    }
    FILE* file = std::fopen(path, "rb");
    if (!file) return 1;
    std::fseek(file, 0, SEEK_END);
    const long size = std::ftell(file);
    std::fseek(file, 0, SEEK_SET);
    std::unique_ptr<char[]> bytes(new char[size_t(size) + 1]);
    const size_t read = std::fread(bytes.get(), 1, size_t(size), file);
    std::fclose(file);
    bytes[read] = 0;
    PimDocument document;
    const bool loaded = LoadDocument(document, bytes.get(), read);
    struct rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    const double peakMiB = double(usage.ru_maxrss) / 1024.0;
    std::printf("peak memory loading %zu records (%.1f MB file): %.1f MiB = %.2f x file size%s\n",
                document.persons.size(), double(read) / 1e6, peakMiB,
                peakMiB * 1048576.0 / double(read), loaded ? "" : " (load failed!)");
    std::remove(path);
    return loaded ? 0 : 1;
}

}  // namespace

// One operation repeated, nothing else timed, for a profiler to look at.
int RepeatMode(char mode, size_t count, int rounds) {
    const std::string text = GeneratedText(count);
    PimDocument saved;
    LoadDocument(saved, text.data(), text.size());
    size_t sink = 0;
    const auto start = Clock::now();
    for (int round = 0; round < rounds; ++round) {
        if (mode == 'l') {
            PimDocument document;
            LoadDocument(document, text.data(), text.size());
            sink += document.persons.size();
        } else if (mode == 'p') {
            std::unique_ptr<char[]> copy(new char[text.size()]);
            std::memcpy(copy.get(), text.data(), text.size());
            pugi::xml_document document;
            document.load_buffer_inplace(copy.get(), text.size());
            sink += VisitPugi(document);
        } else {
            std::string out;
            WriteDocument(saved, out);
            sink += out.size();
        }
    }
    std::printf("%s %zu records x %d: %.1f ms each (%zu)\n",
                mode == 'l' ? "load" : mode == 'p' ? "pugixml" : "save", count, rounds,
                Milliseconds(start) / rounds, sink);
    return 0;
}

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "--write") == 0) {
        WriteOut(GeneratedText(size_t(std::strtoul(argv[2], nullptr, 10))), argv[3]);
        return 0;
    }
    if (argc == 3 && std::strcmp(argv[1], "--peak") == 0)
        return PeakMode(size_t(std::strtoul(argv[2], nullptr, 10)));
    if (argc == 4 && (std::strcmp(argv[1], "--load") == 0 || std::strcmp(argv[1], "--save") == 0 ||
                      std::strcmp(argv[1], "--pugi") == 0))
        return RepeatMode(argv[1][2], size_t(std::strtoul(argv[2], nullptr, 10)),
                          std::max(1, std::atoi(argv[3])));
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    RunTable(rounds);
    return 0;
}
