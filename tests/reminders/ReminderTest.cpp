// The minute's alarm check with the clock set by the test and each tick run
// directly: the reminders that come up (driven from a hook), the looping
// sound, and what turning an alarm off does to the document and the planner.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <dlgs.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "AlarmSoundChooser.h"
#include "AlarmSoundSetting.h"
#include "DayView.h"
#include "DialogDriver.h"
#include "MessageBoxCatcher.h"
#include "PimDocument.h"
#include "PrivateUserRegistry.h"
#include "ReminderDialog.h"
#include "resource.h"
#include "../dayview/DayViewDriving.h"

namespace {

DateTime At(const DateTime& day, int hour, int minute, int second = 0) {
    return day + DateSpan::FromParts(0, hour, minute, second);
}

class RecordingSound : public AlarmSoundPlayer {
public:
    void PlayLooping(const std::string& file) override { events.push_back("play " + file); }
    void Stop() override { events.push_back("stop"); }
    std::vector<std::string> events;
};

const char kChosenSound[] = "C:\\sounds\\chime.wav";

class ReminderTest : public testing::Test {
protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_LISTVIEW_CLASSES | ICC_DATE_CLASSES};
        InitCommonControlsEx(&controls);
        ASSERT_TRUE(registry_.Active());
        StoreAlarmSound(kChosenSound);
        day_ = DateTime::FromFields(2026, 3, 16, 0, 0, 0);
        AddAppointment(5, "Dentist", At(day_, 14, 0), At(day_, 15, 0), true, At(day_, 13, 45));
    }

    void TearDown() override {
        host_.reset();
    }

    void AddAppointment(int32_t id, const char* text, const DateTime& start, const DateTime& end,
                        bool alarm, const DateTime& alarmTime) {
        Appointment appointment;
        appointment.ID = id;
        appointment.Description = text;
        appointment.DueDate = day_;
        appointment.StartTime = start;
        appointment.EndTime = end;
        appointment.Alarm = alarm;
        appointment.AlarmTime = alarmTime;
        document_.appointments.Insert(id, appointment);
    }

    void Open() {
        host_ = std::make_unique<DayViewDriving::HostedDayView>(document_);
        view_ = host_->View();
        ASSERT_TRUE(host_->Open());
        view_->SetSoundPlayer(&sound_);
        view_->SetClock([this] { return now_; });
        ASSERT_TRUE(DayViewDriving::PickDay(view_->Handle(), day_));
    }

    // Runs one tick at `now`; each reminder is answered by ticking (or not)
    // its box and pressing OK. Returns the messages shown, in order.
    std::vector<std::string> Tick(const DateTime& now, bool turnOff) {
        now_ = now;
        std::vector<std::string> messages;
        DialogDriver driver([&](HWND reminder) {
            messages.push_back(DayViewDriving::ControlText(reminder, IDC_REMINDER_MESSAGE));
            if (turnOff) SendMessageA(GetDlgItem(reminder, IDC_REMINDER_TURN_OFF), BM_CLICK, 0, 0);
            SendMessageA(GetDlgItem(reminder, IDOK), BM_CLICK, 0, 0);
        });
        view_->CheckAlarms();
        EXPECT_EQ(0, driver.DialogsCancelled());
        return messages;
    }

    PrivateUserRegistry registry_;
    PimDocument document_;
    DateTime day_;
    DateTime now_;
    RecordingSound sound_;
    std::unique_ptr<DayViewDriving::HostedDayView> host_;
    DayView* view_ = nullptr;
};

const char kTwoPm[] = "This is your reminder for your 02:00 PM appointment.";
using Messages = std::vector<std::string>;

TEST_F(ReminderTest, RemindsFromTheAlarmTimeOnAndTurningItOffClearsTheAlarm) {
    Open();
    ASSERT_TRUE(view_->TimeSlots().ShowsAlarm(36));  // 14:00
    EXPECT_TRUE(Tick(At(day_, 13, 44, 59), true).empty());
    EXPECT_TRUE(sound_.events.empty());

    EXPECT_EQ((Messages{kTwoPm}), Tick(At(day_, 13, 45, 0), true));
    EXPECT_EQ((std::vector<std::string>{std::string("play ") + kChosenSound, "stop"}), sound_.events);
    EXPECT_FALSE(document_.appointments[5].Alarm);
    EXPECT_EQ(At(day_, 13, 45), document_.appointments[5].AlarmTime);
    EXPECT_TRUE(document_.IsModified());
    EXPECT_FALSE(view_->TimeSlots().ShowsAlarm(36));

    EXPECT_TRUE(Tick(At(day_, 13, 46), true).empty());
}

TEST_F(ReminderTest, AnAlarmLeftOnIsRemindedAgainAtTheNextTick) {
    Open();
    EXPECT_EQ((Messages{kTwoPm}), Tick(At(day_, 14, 10), false));
    EXPECT_TRUE(document_.appointments[5].Alarm);
    EXPECT_FALSE(document_.IsModified());
    EXPECT_EQ((Messages{kTwoPm}), Tick(At(day_, 14, 11), false));
}

TEST_F(ReminderTest, OnlyTheShownDaysAppointmentsAreChecked) {
    Open();
    ASSERT_TRUE(DayViewDriving::PickDay(view_->Handle(), day_ + DateSpan::FromParts(1, 0, 0, 0)));
    EXPECT_TRUE(Tick(At(day_, 14, 0), true).empty());
    EXPECT_TRUE(document_.appointments[5].Alarm);
}

TEST_F(ReminderTest, DueAlarmsComeOneAfterTheOtherInRowOrder) {
    AddAppointment(8, "Stand-up", At(day_, 9, 0), At(day_, 9, 15), true, At(day_, 8, 50));
    AddAppointment(9, "Lunch", At(day_, 12, 0), At(day_, 13, 0), false, At(day_, 11, 0));
    Open();
    EXPECT_EQ((Messages{"This is your reminder for your 09:00 AM appointment.", kTwoPm}),
              Tick(At(day_, 13, 50), true));
    EXPECT_FALSE(document_.appointments[8].Alarm);
    EXPECT_FALSE(document_.appointments[5].Alarm);
    EXPECT_FALSE(document_.appointments[9].Alarm);
}

TEST_F(ReminderTest, AnAppointmentSplitByAnotherIsRemindedOncePerRun) {
    AddAppointment(10, "Workshop", At(day_, 9, 0), At(day_, 11, 0), true, At(day_, 9, 0));
    AddAppointment(11, "Call", At(day_, 10, 0), At(day_, 10, 30), false, At(day_, 10, 0));
    Open();
    const Messages messages = Tick(At(day_, 9, 5), false);
    EXPECT_EQ((Messages{"This is your reminder for your 09:00 AM appointment.",
                        "This is your reminder for your 09:00 AM appointment."}),
              messages);
}

TEST_F(ReminderTest, EscapeAndTheCloseBoxLeaveTheReminderUp) {
    Open();
    now_ = At(day_, 13, 45);
    bool stillUp = false;
    DialogDriver driver([&](HWND reminder) {
        SendMessageA(reminder, WM_COMMAND, IDCANCEL, 0);
        SendMessageA(reminder, WM_CLOSE, 0, 0);
        stillUp = IsWindow(reminder) && IsWindowVisible(reminder);
        char caption[64] = {};
        GetWindowTextA(reminder, caption, sizeof(caption));
        EXPECT_STREQ("Appointment Reminder", caption);
        EXPECT_EQ(BST_UNCHECKED, IsDlgButtonChecked(reminder, IDC_REMINDER_TURN_OFF));
        SendMessageA(GetDlgItem(reminder, IDOK), BM_CLICK, 0, 0);
    });
    view_->CheckAlarms();
    EXPECT_TRUE(stillUp);
    EXPECT_EQ(1, driver.DialogsDriven());
    EXPECT_TRUE(document_.appointments[5].Alarm);
}

// Run by the first reminder's own loop after the tick posted to the form:
// presses OK on that reminder.
HWND g_reminderToClose = nullptr;
void CALLBACK CloseReminderTimer(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    if (g_reminderToClose)
        SendMessageA(GetDlgItem(g_reminderToClose, IDOK), BM_CLICK, 0, 0);
}

TEST_F(ReminderTest, TheMinutesTickWhileAReminderWaitsOpensNoSecondOne) {
    Open();
    now_ = At(day_, 13, 45);
    int reminders = 0;
    DialogDriver driver([&](HWND reminder) {
        if (++reminders > 1) {  // a reminder on top of the first
            SendMessageA(GetDlgItem(reminder, IDOK), BM_CLICK, 0, 0);
            return;
        }
        // The form's minute timer, as the reminder's loop delivers it, and
        // OK only after the loop has dispatched it.
        now_ = At(day_, 13, 46);
        PostMessageA(view_->Handle(), WM_TIMER, DayView::kMinuteTimer, 0);
        g_reminderToClose = reminder;
        SetTimer(nullptr, 0, 50, CloseReminderTimer);
    });
    view_->CheckAlarms();
    g_reminderToClose = nullptr;
    EXPECT_EQ(1, reminders);
    EXPECT_EQ(0, driver.DialogsCancelled());
    EXPECT_TRUE(document_.appointments[5].Alarm);
    // Left on, the alarm is reminded of again at the next tick.
    EXPECT_EQ((Messages{kTwoPm}), Tick(At(day_, 13, 47), false));
}

TEST_F(ReminderTest, AReminderIsOwnedByTheFrameWhichItKeepsDisabled) {
    Open();
    HWND frame = GetAncestor(view_->Handle(), GA_ROOT);
    ASSERT_NE(view_->Handle(), frame);
    ASSERT_EQ(nullptr, GetActiveWindow());  // nothing of ours is active
    now_ = At(day_, 13, 45);
    HWND owner = nullptr;
    bool frameEnabled = true;
    DialogDriver driver([&](HWND reminder) {
        owner = GetWindow(reminder, GW_OWNER);
        // A disabled frame takes no File > Open: no other document can be
        // opened under the reminder.
        frameEnabled = IsWindowEnabled(frame) != FALSE;
        SendMessageA(GetDlgItem(reminder, IDOK), BM_CLICK, 0, 0);
    });
    view_->CheckAlarms();
    EXPECT_EQ(1, driver.DialogsDriven());
    EXPECT_EQ(frame, owner);
    EXPECT_FALSE(frameEnabled);
    EXPECT_TRUE(IsWindowEnabled(frame));
}

TEST_F(ReminderTest, TurningOffLeavesAnotherAppointmentThatTookTheIDAlone) {
    Open();
    now_ = At(day_, 13, 45);
    DialogDriver driver([&](HWND reminder) {
        // The document's content replaced while the reminder waits: ID 5 is
        // now another appointment.
        document_.Clear();
        AddAppointment(5, "Board meeting", At(day_, 16, 0), At(day_, 17, 0), true,
                       At(day_, 15, 30));
        document_.NotifyViews();
        SendMessageA(GetDlgItem(reminder, IDC_REMINDER_TURN_OFF), BM_CLICK, 0, 0);
        SendMessageA(GetDlgItem(reminder, IDOK), BM_CLICK, 0, 0);
    });
    view_->CheckAlarms();
    EXPECT_EQ(1, driver.DialogsDriven());
    EXPECT_EQ("Board meeting", document_.appointments[5].Description);
    EXPECT_TRUE(document_.appointments[5].Alarm);
    EXPECT_FALSE(document_.IsModified());
}

// --- The sound setting ------------------------------------------------------------

std::string StoredSound() {
    const std::string key = std::string(kProgramKey) + "\\" + kAlarmSubkey;
    char value[300] = {};
    DWORD size = sizeof(value);
    if (RegGetValueA(HKEY_CURRENT_USER, key.c_str(), kAlarmSoundValue, RRF_RT_REG_SZ, nullptr, value,
                     &size) != ERROR_SUCCESS)
        return "(none)";
    return value;
}

TEST(AlarmSoundSetting, AMissingAlarmKeyIsCreatedWithTheDefaultSound) {
    PrivateUserRegistry registry;
    ASSERT_TRUE(registry.Active());
    const std::string key = std::string(kProgramKey) + "\\" + kAlarmSubkey;
    RegDeleteKeyA(HKEY_CURRENT_USER, key.c_str());
    std::string file = "unchanged";
    EXPECT_FALSE(LoadAlarmSound(file));
    EXPECT_EQ("unchanged", file);
    EXPECT_EQ("beep.wav", StoredSound());
    EXPECT_TRUE(LoadAlarmSound(file));
    EXPECT_EQ("beep.wav", file);

    // A key without the value is left without it.
    HKEY alarm = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_WRITE, &alarm));
    RegDeleteValueA(alarm, kAlarmSoundValue);
    RegCloseKey(alarm);
    EXPECT_FALSE(LoadAlarmSound(file));
    EXPECT_EQ("(none)", StoredSound());
}

TEST(AlarmSoundSetting, APathOf256CharactersIsReadBackWhole) {
    PrivateUserRegistry registry;
    ASSERT_TRUE(registry.Active());
    const std::string path = "C:\\" + std::string(247, 's') + "\\a.wav";
    ASSERT_EQ(256u, path.size());
    StoreAlarmSound(path);
    std::string file;
    EXPECT_TRUE(LoadAlarmSound(file));
    EXPECT_EQ(path, file);
}

TEST(AlarmSoundSetting, AChosenSoundIsTheOneTheNextRunPlays) {
    PrivateUserRegistry registry;
    ASSERT_TRUE(registry.Active());
    PimDocument document;
    HWND parent = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW, 0, 0, 800, 600, nullptr,
                                  nullptr, GetModuleHandleA(nullptr), nullptr);
    std::string offered;
    {
        DayView view(document);
        ASSERT_NE(nullptr, view.Create(parent));
        EXPECT_EQ("beep.wav", view.AlarmSoundFile());
        view.SetAlarmSoundChooser([&](HWND, const std::string& current, std::string& chosen) {
            offered = current;
            chosen = "C:\\My Sounds\\bell.wav";
            return true;
        });
        SendMessageA(view.Handle(), WM_COMMAND, ID_EDIT_ALARM_SOUND, 0);
        EXPECT_EQ("C:\\My Sounds\\bell.wav", view.AlarmSoundFile());

        // Cancel keeps the choice.
        view.SetAlarmSoundChooser([](HWND, const std::string&, std::string&) { return false; });
        SendMessageA(view.Handle(), WM_COMMAND, ID_EDIT_ALARM_SOUND, 0);
        EXPECT_EQ("C:\\My Sounds\\bell.wav", view.AlarmSoundFile());
    }
    EXPECT_EQ("beep.wav", offered);
    EXPECT_EQ("C:\\My Sounds\\bell.wav", StoredSound());
    DayView restarted(document);
    ASSERT_NE(nullptr, restarted.Create(parent));
    EXPECT_EQ("C:\\My Sounds\\bell.wav", restarted.AlarmSoundFile());
    DestroyWindow(parent);
}

// The system's Open dialog, driven: a wave file is typed in and accepted.
TEST(AlarmSoundChooser, TheOpenDialogReturnsThePickedWaveFile) {
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    const std::string path = std::string(folder) + "vantrel-chime.wav";
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    CloseHandle(file);

    DialogDriver driver([&](HWND dialog) {
        SendMessageA(dialog, CDM_SETCONTROLTEXT, cmb13, reinterpret_cast<LPARAM>(path.c_str()));
        SendMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    });
    std::string chosen;
    EXPECT_TRUE(ChooseWaveFile(nullptr, "beep.wav", chosen));
    EXPECT_EQ(1, driver.DialogsDriven());
    EXPECT_EQ(0, lstrcmpiA(path.c_str(), chosen.c_str())) << chosen;
    DeleteFileA(path.c_str());
}

// A path longer than the setting reads back would be stored and then, at
// the next start, replaced by the default sound: it is refused, and the
// dialog opens again.
TEST(AlarmSoundChooser, APathTooLongToReadBackIsRefusedAndTheDialogOpensAgain) {
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    const std::string fits = std::string(folder) + "bell.wav";
    const std::string tooLong =
        folder + std::string(kLongestAlarmSound - 3 - std::strlen(folder), 'b') + ".wav";  // 257
    for (const std::string& path : {fits, tooLong})
        CloseHandle(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    MessageBoxCatcher boxes(IDOK);
    int opened = 0;
    DialogDriver driver([&](HWND dialog) {
        CaughtMessageBox box;
        if (MessageBoxCatcher::Read(dialog, box)) return;
        const std::string& typed = ++opened == 1 ? tooLong : fits;
        SendMessageA(dialog, CDM_SETCONTROLTEXT, cmb13, reinterpret_cast<LPARAM>(typed.c_str()));
        SendMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    });
    std::string chosen;
    EXPECT_TRUE(ChooseWaveFile(nullptr, "beep.wav", chosen));
    EXPECT_EQ(2, opened);
    EXPECT_EQ(0, lstrcmpiA(fits.c_str(), chosen.c_str())) << chosen;
    ASSERT_EQ(1u, boxes.Boxes().size());
    EXPECT_NE(std::string::npos, boxes.Boxes()[0].text.find("at most 256 characters")) << boxes.Boxes()[0].text;
    for (const std::string& path : {fits, tooLong}) DeleteFileA(path.c_str());
}

}  // namespace
