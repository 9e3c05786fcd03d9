// The property sheets in which a phone-book entry (pages General, Phone,
// Address and Notes) and the owner's own details (General and Address) are
// edited. Each page keeps its fields in the page data; a page reads its
// controls back when the user leaves it and when the sheet closes, whether
// with OK or Cancel, so the caller copies the data into a record only on OK.
// An Address page whose State is longer than five characters is not left,
// nor the sheet closed with OK, until the State fits; Cancel still closes.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "EditorHelp.h"
#include "Records.h"

struct PersonPageData {
    // General
    std::string firstName, lastName, company, position;
    int32_t whitePages = 1;  // check states; a new person is in the White Pages only
    int32_t yellowPages = 0;
    // Phone
    std::string homePhone, workPhone, workExt, fax, email, pager, cellPhone, webPage;
    // Address
    std::string address1, address2, city, state, zip;
    // Notes
    std::string notes;
};

// The pages' data loaded from `person`.
PersonPageData PersonPagesFrom(const Person& person);
// Writes every field of the pages into `person` and recomputes its RName;
// the ID is left alone.
void CopyPersonPages(const PersonPageData& pages, Person& person);

// Runs the person sheet modally, owned by `owner`, titled `title` ("Add
// Person" or "Edit Person"), opening on General: IDOK or IDCANCEL (-1 when it
// could not be shown).
INT_PTR RunPersonSheet(HWND owner, const std::string& title, PersonPageData& pages,
                       const EditorHelp& help);

struct UserPageData {
    // General
    std::string firstName, lastName, company, position;
    // Address
    std::string address1, address2, city, state, zip;
};

UserPageData UserPagesFrom(const User& user);
void CopyUserPages(const UserPageData& pages, User& user);

// Runs the user sheet ("Edit User") modally, owned by `owner`: IDOK or
// IDCANCEL (-1 when it could not be shown).
INT_PTR RunUserSheet(HWND owner, UserPageData& pages, const EditorHelp& help);
