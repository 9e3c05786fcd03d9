// Recognises the column names in the first line of a delimited file, so that
// the import wizard can start with each column assigned to the field it
// names: our own field names, however they are written, and the names that
// other programs' contact, task and calendar files commonly give their
// columns.
#pragma once

#include <string>
#include <vector>

#include "ExchangeSettings.h"

// The import field a column named `columnName` stands for, spelled exactly as
// in ImportSettingsFor(kind).AvailableFields, or "" when the name means none
// of them. ASCII case, spaces, "-", "_" and "." do not count, so "first_name"
// and "Zip Code" name FirstName and ZipCode.
std::string FieldForColumnName(ExchangeKind kind, const std::string& columnName);

// One entry per column of `columnNames`: the field its name stands for, or ""
// for none. A field goes to the first column that names it only; a later
// column naming it again (say "Home Street" after "Address") gets "".
std::vector<std::string> FieldsForColumnNames(ExchangeKind kind,
                                              const std::vector<std::string>& columnNames);
