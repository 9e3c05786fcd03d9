// Checks that the Wine prefix the tests run in is set up the way the tests
// rely on: a pinned locale and time zone, a virtual desktop, the fonts, and no
// crash dialog. Skipped on a real Windows machine.
#include <gtest/gtest.h>
#include <windows.h>

namespace {

bool RunningUnderWine() {
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

class WineEnvironment : public testing::Test {
protected:
    void SetUp() override {
        if (!RunningUnderWine()) GTEST_SKIP() << "not running under Wine";
    }
};

class WineEnvironmentNewYork : public WineEnvironment {};

int CALLBACK CountFace(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return 1;
}

bool FontFamilyInstalled(const char* face) {
    HDC screen = GetDC(nullptr);
    LOGFONTA wanted = {};
    wanted.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(wanted.lfFaceName, face, LF_FACESIZE);
    int count = 0;
    EnumFontFamiliesExA(screen, &wanted, CountFace, reinterpret_cast<LPARAM>(&count), 0);
    ReleaseDC(nullptr, screen);
    return count > 0;
}

// The width of a sample text in the given face at a fixed height.
int SampleWidth(const char* face) {
    HDC screen = GetDC(nullptr);
    HFONT font = CreateFontA(-40, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             DEFAULT_PITCH, face);
    HGDIOBJ old = SelectObject(screen, font);
    const char sample[] = "Vantrel! Wide and narrow: WMil";
    SIZE extent = {};
    GetTextExtentPoint32A(screen, sample, lstrlenA(sample), &extent);
    SelectObject(screen, old);
    DeleteObject(font);
    ReleaseDC(nullptr, screen);
    return extent.cx;
}

}  // namespace

TEST_F(WineEnvironment, LocaleIsUnitedStatesEnglish) {
    EXPECT_EQ(GetUserDefaultLCID(), static_cast<LCID>(0x0409));
    EXPECT_EQ(GetACP(), 1252u);

    SYSTEMTIME day = {};
    day.wYear = 2002;
    day.wMonth = 3;
    day.wDay = 4;
    char text[64] = {};
    ASSERT_GT(GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &day, nullptr, text, 64), 0);
    EXPECT_STREQ(text, "3/4/2002");
}

TEST_F(WineEnvironment, TimeZoneIsUtc) {
    TIME_ZONE_INFORMATION zone = {};
    DWORD kind = GetTimeZoneInformation(&zone);
    ASSERT_NE(kind, TIME_ZONE_ID_INVALID);
    EXPECT_EQ(zone.Bias, 0);
    EXPECT_NE(kind, static_cast<DWORD>(TIME_ZONE_ID_DAYLIGHT));
}

TEST_F(WineEnvironmentNewYork, TimeZoneIsNewYork) {
    TIME_ZONE_INFORMATION zone = {};
    ASSERT_NE(GetTimeZoneInformation(&zone), TIME_ZONE_ID_INVALID);
    EXPECT_EQ(zone.Bias, 300);
    EXPECT_EQ(zone.DaylightBias, -60);

    // Noon UTC on 2007-07-01 is 08:00 daylight time, on 2007-01-01 07:00.
    SYSTEMTIME utc = {};
    utc.wYear = 2007;
    utc.wMonth = 7;
    utc.wDay = 1;
    utc.wHour = 12;
    SYSTEMTIME local = {};
    ASSERT_TRUE(SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local));
    EXPECT_EQ(local.wHour, 8);
    utc.wMonth = 1;
    ASSERT_TRUE(SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local));
    EXPECT_EQ(local.wHour, 7);
}

TEST_F(WineEnvironment, ScreenIsTheVirtualDesktop) {
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 768);
}

TEST_F(WineEnvironment, FontsAreInstalled) {
    EXPECT_TRUE(FontFamilyInstalled("Liberation Sans"));
    EXPECT_TRUE(FontFamilyInstalled("Liberation Serif"));
    EXPECT_TRUE(FontFamilyInstalled("Liberation Mono"));
    EXPECT_TRUE(FontFamilyInstalled("Marlett"));  // caption buttons
    // The usual faces are drawn with their Liberation replacements.
    EXPECT_TRUE(FontFamilyInstalled("Arial"));
    EXPECT_EQ(SampleWidth("Arial"), SampleWidth("Liberation Sans"));
    EXPECT_EQ(SampleWidth("Courier New"), SampleWidth("Liberation Mono"));
    EXPECT_NE(SampleWidth("Arial"), SampleWidth("Liberation Mono"));
}

TEST_F(WineEnvironment, CrashDialogIsOff) {
    DWORD value = 1;
    DWORD size = sizeof(value);
    ASSERT_EQ(RegGetValueA(HKEY_CURRENT_USER, "Software\\Wine\\WineDbg", "ShowCrashDialog",
                           RRF_RT_REG_DWORD, nullptr, &value, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(value, 0u);
}
