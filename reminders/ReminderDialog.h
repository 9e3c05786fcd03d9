// The reminder of an appointment whose alarm is due: a system-modal dialog
// (template 148) with the message, a "Turn off alarm" box and OK, while the
// alarm sound plays in a loop. OK is the only way out.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "Dialog.h"

// The sound service: plays one wave file at a time.
class AlarmSoundPlayer {
public:
    virtual ~AlarmSoundPlayer() = default;
    // Starts `file` playing asynchronously, over and over, in place of any
    // sound already playing.
    virtual void PlayLooping(const std::string& file) = 0;
    virtual void Stop() = 0;
};

// PlaySound of a named wave file.
class SystemAlarmSoundPlayer : public AlarmSoundPlayer {
public:
    void PlayLooping(const std::string& file) override;
    void Stop() override;
};

struct ReminderData {
    std::string message;
    std::string soundFile;
    bool turnOff = false;     // read from the box on OK
    int32_t turnOffBox = BST_UNCHECKED;
};

class ReminderDialog : public Dialog {
public:
    // `data` and `sound` must outlive the dialog.
    ReminderDialog(ReminderData& data, AlarmSoundPlayer& sound);

    // Runs the reminder modally, owned by `owner`: IDOK, -1 when it could
    // not be shown.
    INT_PTR Run(HWND owner) { return DoModal(owner); }

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    // Escape and the close box leave the reminder up.
    void OnCancel() override {}

private:
    ReminderData& data_;
    AlarmSoundPlayer& sound_;
};
