#include "ExchangeSettings.h"

#include "ExchangeFields.h"

namespace ExchangeFields {
namespace {

using F = Field;

// The phone book exports its phones in the editor's order (CelPhone before
// Pager); the import list puts Pager first and the two phone-book flags
// before Notes. Fields added later go at the end of the export lists, so an
// export of the earlier fields is written as it always was.
const std::vector<Entry> kPersonsExport = {
    {"FirstName", F::kFirstName},   {"LastName", F::kLastName},   {"Address1", F::kAddress1},
    {"Address2", F::kAddress2},     {"City", F::kCity},           {"State", F::kState},
    {"ZipCode", F::kZipCode},       {"HomePhone", F::kHomePhone}, {"WorkPhone", F::kWorkPhone},
    {"WorkExtension", F::kWorkExtension}, {"Fax", F::kFax},       {"CelPhone", F::kCelPhone},
    {"Pager", F::kPager},           {"E-Mail", F::kEMail},        {"WebPage", F::kWebPage},
    {"Company", F::kCompany},       {"Position", F::kPosition},   {"Notes", F::kNotes},
    {"WhitePages", F::kWhitePages}, {"YellowPages", F::kYellowPages},
};

const std::vector<Entry> kPersonsImport = {
    {"FirstName", F::kFirstName},   {"LastName", F::kLastName},   {"Address1", F::kAddress1},
    {"Address2", F::kAddress2},     {"City", F::kCity},           {"State", F::kState},
    {"ZipCode", F::kZipCode},       {"HomePhone", F::kHomePhone}, {"WorkPhone", F::kWorkPhone},
    {"WorkExtension", F::kWorkExtension}, {"Fax", F::kFax},       {"Pager", F::kPager},
    {"CelPhone", F::kCelPhone},     {"E-Mail", F::kEMail},        {"WebPage", F::kWebPage},
    {"Company", F::kCompany},       {"Position", F::kPosition},   {"WhitePages", F::kWhitePages},
    {"YellowPages", F::kYellowPages}, {"Notes", F::kNotes},
};

const std::vector<Entry> kTasks = {
    {"Task", F::kTask}, {"DueDate", F::kDueDate}, {"Priority", F::kPriority}, {"DoneDate", F::kDoneDate}};

const std::vector<Entry> kAppointments = {
    {"Appointment", F::kAppointment}, {"Date", F::kDate},       {"StartTime", F::kStartTime},
    {"EndTime", F::kEndTime},         {"Alarmed", F::kAlarmed}, {"AlarmTime", F::kAlarmTime},
};

}  // namespace

const std::vector<Entry>& ExportTable(ExchangeKind kind) {
    switch (kind) {
        case ExchangeKind::kPersons: return kPersonsExport;
        case ExchangeKind::kTasks: return kTasks;
        default: return kAppointments;
    }
}

const std::vector<Entry>& ImportTable(ExchangeKind kind) {
    switch (kind) {
        case ExchangeKind::kPersons: return kPersonsImport;
        case ExchangeKind::kTasks: return kTasks;
        default: return kAppointments;
    }
}

Field Lookup(const std::vector<Entry>& table, const std::string& name) {
    for (const Entry& entry : table) {
        if (name == entry.name) return entry.field;
    }
    return Field::kNone;
}

Text Person::*PersonText(Field field) {
    switch (field) {
        case F::kFirstName: return &Person::FName;
        case F::kLastName: return &Person::LName;
        case F::kAddress1: return &Person::Addr1;
        case F::kAddress2: return &Person::Addr2;
        case F::kCity: return &Person::City;
        case F::kState: return &Person::State;
        case F::kZipCode: return &Person::Zip;
        case F::kHomePhone: return &Person::HmPhone;
        case F::kWorkPhone: return &Person::WkPhone;
        case F::kWorkExtension: return &Person::WkExt;
        case F::kFax: return &Person::Fax;
        case F::kPager: return &Person::Pager;
        case F::kCelPhone: return &Person::CelPhone;
        case F::kEMail: return &Person::EMail;
        case F::kWebPage: return &Person::WebPage;
        case F::kCompany: return &Person::Company;
        case F::kPosition: return &Person::Position;
        case F::kNotes: return &Person::Notes;
        default: return nullptr;
    }
}

}  // namespace ExchangeFields

namespace {

const char* KindName(ExchangeKind kind) {
    switch (kind) {
        case ExchangeKind::kPersons: return "Persons";
        case ExchangeKind::kTasks: return "Tasks";
        default: return "Appointments";
    }
}

ExchangeSettings SettingsFor(ExchangeKind kind, const std::vector<ExchangeFields::Entry>& table) {
    ExchangeSettings settings;
    settings.KindName = KindName(kind);
    for (const ExchangeFields::Entry& entry : table) settings.AvailableFields.push_back(entry.name);
    settings.FieldCount = static_cast<int32_t>(settings.AvailableFields.size());
    return settings;
}

}  // namespace

ExchangeSettings ExportSettingsFor(ExchangeKind kind) {
    return SettingsFor(kind, ExchangeFields::ExportTable(kind));
}

ExchangeSettings ImportSettingsFor(ExchangeKind kind) {
    ExchangeSettings settings = SettingsFor(kind, ExchangeFields::ImportTable(kind));
    switch (kind) {
        case ExchangeKind::kPersons:
            settings.RequiredFields = {"FirstName", "LastName", "Company"};
            break;
        case ExchangeKind::kTasks:
            settings.RequiredFields = {"Task"};
            break;
        default:
            settings.RequiredFields = {"Appointment", "Date", "StartTime", "EndTime"};
            break;
    }
    return settings;
}
