// The user's locale as the Windows program sees it; the tests run in en-US
// (code page 1252).
#include <gtest/gtest.h>

#include <string>

#include "DelimitedText.h"
#include "ExchangeLocale.h"
#include "PimDocument.h"

namespace {

const ExchangeLocale& Locale() { return PlatformExchangeLocale(); }

TEST(WindowsExchangeLocale, FormatsAndReadsTheUsersShortDateAndTime) {
    const DateTime moment = DateTime::FromFields(2002, 3, 4, 22, 8, 0);
    EXPECT_EQ("3/4/2002", Locale().FormatShortDate(moment));
    EXPECT_EQ("10:08 PM", Locale().FormatTime(moment));
    EXPECT_EQ("", Locale().FormatShortDate(DateTime()));
    DateTime value;
    ASSERT_TRUE(Locale().ParseDate("3/4/2002", value));
    EXPECT_EQ(DateTime::FromFields(2002, 3, 4, 0, 0, 0), value);
    ASSERT_TRUE(Locale().ParseDate("3/4/2002 10:08 PM", value));
    EXPECT_EQ(DateTime::FromFields(2002, 3, 4, 0, 0, 0), value);
    ASSERT_TRUE(Locale().ParseTime("10:08 PM", value));
    EXPECT_EQ(1899, value.Year());
    EXPECT_EQ(22 * 60 + 8, value.Hour() * 60 + value.Minute());
    EXPECT_FALSE(Locale().ParseDate("soon", value));
    EXPECT_FALSE(Locale().ParseTime("", value));
}

// The native build's stand-in copies these classes; they must agree.
TEST(WindowsExchangeLocale, HasCodePage1252WhiteSpaceAndLowerCase) {
    std::string spaces;
    for (int c = 0; c < 256; ++c) {
        EXPECT_FALSE(Locale().LeadBytes()[static_cast<size_t>(c)]) << c;
        if (Locale().SpaceBytes()[static_cast<size_t>(c)]) spaces += static_cast<char>(c);
    }
    EXPECT_EQ("\t\n\v\f\r \xA0", spaces);
    std::string text = "YES True";
    Locale().ToLower(text);
    EXPECT_EQ("yes true", text);
}

// Unicode files reach the program through the ANSI code page: a character
// it lacks is "?", never a look-alike that would make another name.
TEST(WindowsExchangeLocale, ConvertsUnicodeToCodePage1252WithoutBestFit) {
    const struct {
        std::u16string text;
        std::string ansi;
    } cases[] = {
        {u"\u20AC \u00E9\u0178", "\x80 \xE9\x9F"},
        {u"\u0100", "?"},
        {u"a\U0001F600b", "a?b"},
    };
    for (const auto& c : cases) {
        std::string out = "kept ";
        Locale().AppendAnsi(c.text.data(), c.text.size(), out);
        EXPECT_EQ("kept " + c.ansi, out);
    }
}

// Through the user's formats, an export reads back as it was written.
TEST(WindowsExchangeLocale, AppointmentsReadBackThroughTheUsersFormats) {
    PimDocument source;
    Appointment a;
    a.ID = 1;
    a.Description = "Dentist, \"Dr. Who\"\r\nbring card";
    a.DueDate = DateTime::FromFields(2002, 3, 4, 0, 0, 0);
    a.StartTime = DateTime::FromFields(2002, 3, 4, 14, 15, 0);
    a.EndTime = DateTime::FromFields(2002, 3, 4, 14, 52, 0);
    a.Alarm = true;
    a.AlarmTime = DateTime::FromFields(2002, 3, 4, 13, 55, 0);
    source.appointments.Insert(1, a);
    ExchangeSettings out = ExportSettingsFor(ExchangeKind::kAppointments);
    out.FieldMap = out.AvailableFields;
    out.Separator = ",";
    out.Encloser = "\"";
    const std::string text = BuildExportText(source, ExchangeKind::kAppointments, out, Locale()).text;
    EXPECT_EQ("\"Dentist, \"\"Dr. Who\"\"\r\nbring card\",\"3/4/2002\",\"2:15 PM\",\"2:52 PM\",\"TRUE\",\"20\"\n",
              text);

    ExchangeSettings in = ImportSettingsFor(ExchangeKind::kAppointments);
    in.FieldMap = out.AvailableFields;
    in.ColumnCount = static_cast<int32_t>(in.FieldMap.size());
    in.Separator = ",";
    in.Encloser = "\"";
    PimDocument copy;
    ASSERT_EQ(1, ImportDelimitedText(copy, ExchangeKind::kAppointments, in, text.data(), text.size(), Locale()).added);
    const Appointment& back = copy.appointments[1];
    EXPECT_EQ(a.Description, back.Description);
    EXPECT_EQ(a.DueDate, back.DueDate);
    EXPECT_EQ(a.StartTime, back.StartTime);
    EXPECT_EQ(DateTime::FromFields(2002, 3, 4, 15, 0, 0), back.EndTime);  // to the next quarter hour
    EXPECT_NEAR(a.AlarmTime.Value(), back.AlarmTime.Value(), 1e-9);
}

}  // namespace
