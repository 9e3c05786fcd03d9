// The main() of every test program.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

#ifndef _WIN32
// Sanitizer settings for every run, also outside ctest. The functions are
// looked up by the sanitizer runtimes; without them they are never called.
extern "C" const char* __asan_default_options() {
    return "detect_leaks=1:strict_string_checks=1:check_initialization_order=1";
}
extern "C" const char* __ubsan_default_options() {
    return "print_stacktrace=1:halt_on_error=1";
}
#endif

int main(int argc, char** argv) {
#ifdef _WIN32
    // The Windows C runtime reads TZ itself and understands only the old
    // "EST5EDT" form; under Wine, TZ holds a zone name like
    // "America/New_York" that Wine has already made the system time zone.
    // Without TZ, localtime() and mktime() follow the system zone, as on a
    // Windows machine where TZ is not set.
    _putenv("TZ=");
    _tzset();
#endif
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
