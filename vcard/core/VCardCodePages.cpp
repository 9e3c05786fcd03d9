// Charset names as cards write them, with the Windows code page of each.
// The names are those of the IANA registry that phones and mail programs
// use, with the aliases seen in the wild; whether Windows can read a code
// page is its own affair (AppendUtf16 says so).
#include "VCardCodePages.h"

#include <cstddef>

namespace {

struct Charset {
    const char* name;  // lower case
    uint32_t codePage;
};

constexpr Charset kCharsets[] = {
    {"utf-8", kCodePageUtf8},          {"utf8", kCodePageUtf8},
    {"us-ascii", kCodePageUsAscii},    {"ascii", kCodePageUsAscii},
    {"iso-8859-1", kCodePageLatin1},   {"iso8859-1", kCodePageLatin1},
    {"latin1", kCodePageLatin1},       {"iso-8859-2", 28592},
    {"iso-8859-3", 28593},             {"iso-8859-4", 28594},
    {"iso-8859-5", 28595},             {"iso-8859-6", 28596},
    {"iso-8859-7", 28597},             {"iso-8859-8", 28598},
    {"iso-8859-9", 28599},             {"iso-8859-13", 28603},
    {"iso-8859-15", 28605},            {"windows-1250", 1250},
    {"windows-1251", 1251},            {"windows-1252", kCodePageWindows1252},
    {"windows-1253", 1253},            {"windows-1254", 1254},
    {"windows-1255", 1255},            {"windows-1256", 1256},
    {"windows-1257", 1257},            {"windows-1258", 1258},
    {"cp1250", 1250},                  {"cp1251", 1251},
    {"cp1252", kCodePageWindows1252},  {"windows-874", 874},
    {"tis-620", 874},                  {"koi8-r", 20866},
    {"koi8-u", 21866},                 {"shift_jis", 932},
    {"shift-jis", 932},                {"sjis", 932},
    {"euc-jp", 20932},                 {"iso-2022-jp", 50220},
    {"gb2312", 936},                   {"gbk", 936},
    {"gb18030", 54936},                {"big5", 950},
    {"euc-kr", 51949},                 {"ks_c_5601-1987", 949},
    {"ibm437", 437},                   {"ibm850", 850},
    {"ibm866", 866},                   {"macintosh", 10000},
    {"utf-7", 65000},
};

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(std::string_view given, const char* known) {
    size_t i = 0;
    for (; i < given.size(); ++i) {
        if (known[i] == '\0' || AsciiLower(given[i]) != known[i]) return false;
    }
    return known[i] == '\0';
}

}  // namespace

uint32_t CodePageOfCharset(std::string_view name) {
    // Parameter values may be quoted.
    if (name.size() >= 2 && name.front() == '"' && name.back() == '"') name = name.substr(1, name.size() - 2);
    for (const Charset& charset : kCharsets) {
        if (SameName(name, charset.name)) return charset.codePage;
    }
    return 0;
}
