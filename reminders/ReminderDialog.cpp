#include "ReminderDialog.h"

#include <mmsystem.h>

#include "resource.h"

void SystemAlarmSoundPlayer::PlayLooping(const std::string& file) {
    PlaySoundA(file.c_str(), nullptr, SND_FILENAME | SND_ASYNC | SND_LOOP);
}

void SystemAlarmSoundPlayer::Stop() { PlaySoundA(nullptr, nullptr, 0); }

ReminderDialog::ReminderDialog(ReminderData& data, AlarmSoundPlayer& sound)
    : Dialog(IDD_REMINDER), data_(data), sound_(sound) {}

bool ReminderDialog::OnInitDialog() {
    data_.turnOffBox = BST_UNCHECKED;
    CheckDlgButton(Handle(), IDC_REMINDER_TURN_OFF, BST_UNCHECKED);
    SetDlgItemTextA(Handle(), IDC_REMINDER_MESSAGE, data_.message.c_str());
    sound_.PlayLooping(data_.soundFile);
    return true;
}

void ReminderDialog::OnOK() {
    data_.turnOffBox = static_cast<int32_t>(IsDlgButtonChecked(Handle(), IDC_REMINDER_TURN_OFF));
    data_.turnOff = data_.turnOffBox == BST_CHECKED;
    sound_.Stop();
    End(IDOK);
}
