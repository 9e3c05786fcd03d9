// The settings of one export or import of delimited text, filled by the
// exchange wizard and read by the writers and readers, and the field tables
// of the three kinds of record.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum class ExchangeKind : int32_t { kPersons = 0, kTasks = 1, kAppointments = 2 };

struct ExchangeSettings {
    // Export: the names of the fields the user checked, in list order.
    // Import: for each file column, the field assigned to it, "" to skip it.
    std::vector<std::string> FieldMap;
    std::vector<std::string> AvailableFields;  // the kind's field names, in table order
    std::vector<std::string> RequiredFields;   // import only
    bool FirstLineHasNames = false;
    std::string Encloser;   // "\"", "'" or "" (none)
    std::string Separator;  // one character: , ; | space or tab
    std::string FileName;
    int32_t FieldCount = 0;   // entries of AvailableFields
    int32_t ColumnCount = 0;  // import only: columns found in the first line
    std::string KindName;     // "Persons", "Tasks" or "Appointments"
    std::string FirstLine;    // import only: the file's first line, trimmed
};

// Settings of a new export of `kind`: KindName, AvailableFields (the export
// list) and FieldCount.
ExchangeSettings ExportSettingsFor(ExchangeKind kind);
// Settings of a new import of `kind`: KindName, AvailableFields (the import
// list), FieldCount and RequiredFields.
ExchangeSettings ImportSettingsFor(ExchangeKind kind);
