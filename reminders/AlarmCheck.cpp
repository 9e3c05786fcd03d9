#include "AlarmCheck.h"

std::vector<Appointment> AlarmCandidates(const std::vector<ShownPlannerRow>& rows,
                                         const Appointments& appointments) {
    std::vector<Appointment> candidates;
    int32_t last = -1;
    for (const ShownPlannerRow& row : rows) {
        if (!row.hasText) continue;
        if (row.appointmentID == last) continue;
        last = row.appointmentID;
        if (const Appointment* appointment = appointments.Find(row.appointmentID))
            candidates.push_back(*appointment);
    }
    return candidates;
}

bool AlarmDue(const Appointment& appointment, const DateTime& now) {
    return appointment.Alarm && now.IsOnOrAfter(appointment.AlarmTime);
}
