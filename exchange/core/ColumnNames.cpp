#include "ColumnNames.h"

#include <algorithm>
#include <utility>

namespace {

// The names another program may give a column of ours. A name that reads as
// our own once case and punctuation are dropped ("Home Phone", "Due Date")
// needs no row. "Title" is left out for persons: some programs mean Mr. or
// Ms. by it, others the job.
struct OtherNames {
    const char* field;  // as in the kind's import list
    std::vector<const char*> names;
};

const std::vector<OtherNames> kPersonNames = {
    {"FirstName", {"Given Name"}},
    {"LastName", {"Surname", "Family Name"}},
    {"Address1", {"Street", "Address", "Home Street", "Business Street", "Address Line 1"}},
    {"Address2", {"Street 2", "Address Line 2", "Home Street 2", "Business Street 2"}},
    {"City", {"Town", "Home City", "Business City"}},
    {"State", {"Province", "Region", "Home State", "Business State"}},
    {"ZipCode", {"ZIP", "Postal Code", "Postcode", "Home Postal Code", "Business Postal Code"}},
    {"WorkPhone", {"Business Phone", "Phone"}},
    {"WorkExtension", {"Extension"}},
    {"Fax", {"Business Fax", "Fax Number"}},
    {"CelPhone", {"Mobile Phone", "Mobile", "Cell Phone", "Cellular Phone", "Cell"}},
    {"E-Mail", {"E-mail Address", "E-mail 1 - Value"}},
    {"WebPage", {"Website", "URL"}},
    {"Company", {"Company Name", "Organization", "Organisation"}},
    {"Position", {"Job Title"}},
};

const std::vector<OtherNames> kTaskNames = {
    {"Task", {"Subject", "Description", "Title"}},
    {"DueDate", {"Due"}},
    {"DoneDate", {"Date Completed", "Completed"}},
};

const std::vector<OtherNames> kAppointmentNames = {
    {"Appointment", {"Subject", "Description", "Title", "Summary"}},
    {"Date", {"Start Date", "Day"}},
    {"StartTime", {"Start"}},
    {"EndTime", {"End"}},
    {"Alarmed", {"Reminder On/Off", "Reminder", "Alarm"}},
    {"AlarmTime", {"Reminder Minutes", "Alarm Minutes"}},
};

const std::vector<OtherNames>& OtherNamesOf(ExchangeKind kind) {
    switch (kind) {
        case ExchangeKind::kPersons: return kPersonNames;
        case ExchangeKind::kTasks: return kTaskNames;
        default: return kAppointmentNames;
    }
}

// A name as compared: lower case, without the characters people and programs
// put between words.
std::string Loose(const std::string& name) {
    std::string key;
    for (const char c : name) {
        if (c == ' ' || c == '-' || c == '_' || c == '.') continue;
        key += c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return key;
}

}  // namespace

std::string FieldForColumnName(ExchangeKind kind, const std::string& columnName) {
    const std::string key = Loose(columnName);
    if (key.empty()) return "";
    // Only fields the import offers: a name whose field it lacks means none.
    const std::vector<std::string> fields = ImportSettingsFor(kind).AvailableFields;
    for (const std::string& field : fields) {
        if (Loose(field) == key) return field;
    }
    for (const OtherNames& row : OtherNamesOf(kind)) {
        if (std::find(fields.begin(), fields.end(), row.field) == fields.end()) continue;
        for (const char* name : row.names) {
            if (Loose(name) == key) return row.field;
        }
    }
    return "";
}

std::vector<std::string> FieldsForColumnNames(ExchangeKind kind,
                                              const std::vector<std::string>& columnNames) {
    std::vector<std::string> fields;
    for (const std::string& name : columnNames) {
        std::string field = FieldForColumnName(kind, name);
        if (std::find(fields.begin(), fields.end(), field) != fields.end()) field.clear();
        fields.push_back(std::move(field));
    }
    return fields;
}
