// The exchange field tables of the three kinds of record, shared by the
// settings, the writers and the readers. Not part of the interface the
// wizard uses.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "ExchangeSettings.h"
#include "Records.h"

namespace ExchangeFields {

// Every field a file column can stand for, over the three kinds. The
// persons' text fields come first, in the order of the import list.
enum class Field {
    kFirstName,
    kLastName,
    kAddress1,
    kAddress2,
    kCity,
    kState,
    kZipCode,
    kHomePhone,
    kWorkPhone,
    kWorkExtension,
    kFax,
    kPager,
    kCelPhone,
    kEMail,
    kWebPage,
    kCompany,
    kPosition,
    kNotes,
    kWhitePages,
    kYellowPages,
    kTask,
    kDueDate,
    kPriority,
    kDoneDate,
    kAppointment,
    kDate,
    kStartTime,
    kEndTime,
    kAlarmed,
    kAlarmTime,
    kNone,  // a column that is skipped
};

struct Entry {
    const char* name;
    Field field;
};

// The kind's field list in table order: the export list or the import list.
const std::vector<Entry>& ExportTable(ExchangeKind kind);
const std::vector<Entry>& ImportTable(ExchangeKind kind);

// The field that `name` stands for in `table` (exact, case-sensitive), or
// kNone.
Field Lookup(const std::vector<Entry>& table, const std::string& name);

// The Person text member a persons field stands for; null for the two
// phone-book flags and for fields of other kinds.
Text Person::*PersonText(Field field);

}  // namespace ExchangeFields
