#include "PersonSheet.h"

#include <utility>
#include <vector>

#include "PropertySheet.h"
#include "WindowText.h"
#include "resource.h"

namespace {
const size_t kMaxStateLength = 5;
const size_t kMaxZipLength = 10;

const std::vector<HelpTopic> kSheetTopics = {{IDOK, 1000}, {IDCANCEL, 1001}};

const std::vector<HelpTopic> kPersonGeneralTopics = {
    {IDC_PERSON_FIRST_NAME, 1201},  {IDC_PERSON_FIRST_NAME_LABEL, 1201},
    {IDC_PERSON_LAST_NAME, 1202},   {IDC_PERSON_LAST_NAME_LABEL, 1202},
    {IDC_PERSON_COMPANY, 1203},     {IDC_PERSON_COMPANY_LABEL, 1203},
    {IDC_PERSON_POSITION, 1204},    {IDC_PERSON_POSITION_LABEL, 1204},
    {IDC_PERSON_WHITE_PAGES, 1205}, {IDC_PERSON_YELLOW_PAGES, 1206}};

const std::vector<HelpTopic> kPersonPhoneTopics = {
    {IDC_PERSON_HOME_PHONE, 1220}, {IDC_PERSON_HOME_PHONE_LABEL, 1220},
    {IDC_PERSON_WORK_PHONE, 1221}, {IDC_PERSON_WORK_PHONE_LABEL, 1221},
    {IDC_PERSON_WORK_EXT, 1222},   {IDC_PERSON_WORK_EXT_LABEL, 1222},
    {IDC_PERSON_FAX, 1223},        {IDC_PERSON_FAX_LABEL, 1223},
    {IDC_PERSON_EMAIL, 1224},      {IDC_PERSON_EMAIL_LABEL, 1224},
    {IDC_PERSON_PAGER, 1225},      {IDC_PERSON_PAGER_LABEL, 1225},
    {IDC_PERSON_CELL_PHONE, 1226}, {IDC_PERSON_CELL_PHONE_LABEL, 1226},
    {IDC_PERSON_WEB_PAGE, 1227},   {IDC_PERSON_WEB_PAGE_LABEL, 1227}};

const std::vector<HelpTopic> kPersonNotesTopics = {{IDC_PERSON_NOTES, 1230}};

const std::vector<HelpTopic> kUserGeneralTopics = {
    {IDC_PERSON_FIRST_NAME, 1101}, {IDC_PERSON_FIRST_NAME_LABEL, 1101},
    {IDC_PERSON_LAST_NAME, 1102},  {IDC_PERSON_LAST_NAME_LABEL, 1102},
    {IDC_PERSON_COMPANY, 1103},    {IDC_PERSON_COMPANY_LABEL, 1103},
    {IDC_PERSON_POSITION, 1104},   {IDC_PERSON_POSITION_LABEL, 1104}};

// The address pages of both sheets have the same controls; their topics
// run on from `first`.
std::vector<HelpTopic> AddressTopics(DWORD first) {
    return {{IDC_PERSON_ADDRESS1, first},     {IDC_PERSON_ADDRESS1_LABEL, first},
            {IDC_PERSON_ADDRESS2, first + 1}, {IDC_PERSON_ADDRESS2_LABEL, first + 1},
            {IDC_PERSON_CITY, first + 2},     {IDC_PERSON_CITY_LABEL, first + 2},
            {IDC_PERSON_STATE, first + 3},    {IDC_PERSON_STATE_LABEL, first + 3},
            {IDC_PERSON_ZIP, first + 4},      {IDC_PERSON_ZIP_LABEL, first + 4}};
}

// An edit of a page and the page data it shows.
struct Field {
    int id;
    std::string* text;
};

// A page of edits: loads them when created and reads them, in the order
// listed, when left.
class FieldsPage : public PropertyPage {
public:
    FieldsPage(UINT templateId, std::vector<Field> fields, const EditorHelp& help,
               std::vector<HelpTopic> topics)
        : PropertyPage(templateId),
          fields_(std::move(fields)),
          help_(help),
          topics_(std::move(topics)) {}

protected:
    bool OnInitDialog() override {
        for (const Field& field : fields_) SetDlgItemTextA(Handle(), field.id, field.text->c_str());
        return true;
    }
    void OnKillActive() override {
        for (const Field& field : fields_) Read(field);
    }
    void OnHelp(const HELPINFO& request) override { ShowEditorHelp(help_, request, topics_); }

    // Stores the field's text as entered; a short read beeps and focuses
    // the field.
    void Read(const Field& field) {
        bool complete = true;
        *field.text = WindowText(Item(field.id), &complete);
        if (!complete) Complain(field.id);
    }
    void Complain(int id) {
        MessageBeep(MB_OK);
        SetFocus(Item(id));
    }

    std::vector<Field> fields_;

private:
    const EditorHelp& help_;
    std::vector<HelpTopic> topics_;
};

// General: the names, and for a person the address-book check boxes. OK is
// enabled only while a first name, last name or company is filled in.
class GeneralPage : public FieldsPage {
public:
    GeneralPage(UINT templateId, std::string& firstName, std::string& lastName,
                std::string& company, std::string& position, int32_t* whitePages,
                int32_t* yellowPages, const EditorHelp& help, std::vector<HelpTopic> topics)
        : FieldsPage(templateId,
                     {{IDC_PERSON_COMPANY, &company},
                      {IDC_PERSON_FIRST_NAME, &firstName},
                      {IDC_PERSON_LAST_NAME, &lastName},
                      {IDC_PERSON_POSITION, &position}},
                     help, std::move(topics)),
          whitePages_(whitePages),
          yellowPages_(yellowPages) {}

protected:
    bool OnInitDialog() override {
        FieldsPage::OnInitDialog();
        if (whitePages_)
            CheckDlgButton(Handle(), IDC_PERSON_WHITE_PAGES,
                           *whitePages_ ? BST_CHECKED : BST_UNCHECKED);
        if (yellowPages_)
            CheckDlgButton(Handle(), IDC_PERSON_YELLOW_PAGES,
                           *yellowPages_ ? BST_CHECKED : BST_UNCHECKED);
        UpdateOK();
        return true;
    }
    void OnSetActive() override { UpdateOK(); }
    bool OnCommand(UINT id, UINT code, HWND) override {
        if (code == EN_CHANGE && (id == IDC_PERSON_FIRST_NAME || id == IDC_PERSON_LAST_NAME ||
                                  id == IDC_PERSON_COMPANY)) {
            UpdateOK();
            return true;
        }
        return false;
    }
    void OnKillActive() override {
        FieldsPage::OnKillActive();
        if (whitePages_)
            *whitePages_ = IsDlgButtonChecked(Handle(), IDC_PERSON_WHITE_PAGES) == BST_CHECKED;
        if (yellowPages_)
            *yellowPages_ = IsDlgButtonChecked(Handle(), IDC_PERSON_YELLOW_PAGES) == BST_CHECKED;
    }

private:
    void UpdateOK() {
        const bool named = GetWindowTextLengthA(Item(IDC_PERSON_FIRST_NAME)) > 0 ||
                           GetWindowTextLengthA(Item(IDC_PERSON_LAST_NAME)) > 0 ||
                           GetWindowTextLengthA(Item(IDC_PERSON_COMPANY)) > 0;
        EnableSheetOK(named);
    }

    int32_t* whitePages_;
    int32_t* yellowPages_;
};

// Address: an over-long State or Zip is kept as typed but beeps and takes
// the focus. A State too long keeps the page showing and the sheet open, so
// nothing typed is lost and nothing is stored until the State fits; a Zip
// too long is stored as typed.
class AddressPage : public FieldsPage {
public:
    AddressPage(UINT templateId, std::string& address1, std::string& address2, std::string& city,
                std::string& state, std::string& zip, const EditorHelp& help,
                std::vector<HelpTopic> topics)
        : FieldsPage(templateId,
                     {{IDC_PERSON_ADDRESS1, &address1},
                      {IDC_PERSON_ADDRESS2, &address2},
                      {IDC_PERSON_CITY, &city},
                      {IDC_PERSON_STATE, &state},
                      {IDC_PERSON_ZIP, &zip}},
                     help, std::move(topics)),
          state_(state),
          zip_(zip) {}

protected:
    void OnKillActive() override {
        FieldsPage::OnKillActive();
        if (!Acceptable())
            Complain(IDC_PERSON_STATE);
        else if (zip_.size() > kMaxZipLength)
            Complain(IDC_PERSON_ZIP);
    }
    bool Acceptable() const override { return state_.size() <= kMaxStateLength; }

private:
    const std::string& state_;
    const std::string& zip_;
};

INT_PTR RunSheet(HWND owner, const std::string& title, std::vector<PropertyPage*> pages,
                 const EditorHelp& help) {
    ModalPropertySheet sheet(title, std::move(pages));
    sheet.SetHelp(
        [&help](const HELPINFO& request) { ShowEditorHelp(help, request, kSheetTopics); });
    return sheet.Run(owner);
}
}  // namespace

PersonPageData PersonPagesFrom(const Person& person) {
    PersonPageData pages;
    pages.firstName = person.FName;
    pages.lastName = person.LName;
    pages.company = person.Company;
    pages.position = person.Position;
    pages.whitePages = person.WhitePages;
    pages.yellowPages = person.YellowPages;
    pages.homePhone = person.HmPhone;
    pages.workPhone = person.WkPhone;
    pages.workExt = person.WkExt;
    pages.fax = person.Fax;
    pages.email = person.EMail;
    pages.pager = person.Pager;
    pages.cellPhone = person.CelPhone;
    pages.webPage = person.WebPage;
    pages.address1 = person.Addr1;
    pages.address2 = person.Addr2;
    pages.city = person.City;
    pages.state = person.State;
    pages.zip = person.Zip;
    pages.notes = person.Notes;
    return pages;
}

void CopyPersonPages(const PersonPageData& pages, Person& person) {
    person.FName = pages.firstName;
    person.LName = pages.lastName;
    person.Company = pages.company;
    person.Position = pages.position;
    person.WhitePages = pages.whitePages;
    person.YellowPages = pages.yellowPages;
    person.HmPhone = pages.homePhone;
    person.WkPhone = pages.workPhone;
    person.WkExt = pages.workExt;
    person.Fax = pages.fax;
    person.EMail = pages.email;
    person.Pager = pages.pager;
    person.CelPhone = pages.cellPhone;
    person.WebPage = pages.webPage;
    person.Addr1 = pages.address1;
    person.Addr2 = pages.address2;
    person.City = pages.city;
    person.State = pages.state;
    person.Zip = pages.zip;
    person.Notes = pages.notes;
    person.RName = person.MakeDisplayName();
}

INT_PTR RunPersonSheet(HWND owner, const std::string& title, PersonPageData& pages,
                       const EditorHelp& help) {
    GeneralPage general(IDD_PERSON_GENERAL, pages.firstName, pages.lastName, pages.company,
                        pages.position, &pages.whitePages, &pages.yellowPages, help,
                        kPersonGeneralTopics);
    FieldsPage phone(IDD_PERSON_PHONE,
                     {{IDC_PERSON_CELL_PHONE, &pages.cellPhone},
                      {IDC_PERSON_EMAIL, &pages.email},
                      {IDC_PERSON_FAX, &pages.fax},
                      {IDC_PERSON_HOME_PHONE, &pages.homePhone},
                      {IDC_PERSON_PAGER, &pages.pager},
                      {IDC_PERSON_WEB_PAGE, &pages.webPage},
                      {IDC_PERSON_WORK_EXT, &pages.workExt},
                      {IDC_PERSON_WORK_PHONE, &pages.workPhone}},
                     help, kPersonPhoneTopics);
    AddressPage address(IDD_PERSON_ADDRESS, pages.address1, pages.address2, pages.city,
                        pages.state, pages.zip, help, AddressTopics(1207));
    FieldsPage notes(IDD_PERSON_NOTES, {{IDC_PERSON_NOTES, &pages.notes}}, help,
                     kPersonNotesTopics);
    return RunSheet(owner, title, {&general, &phone, &address, &notes}, help);
}

UserPageData UserPagesFrom(const User& user) {
    UserPageData pages;
    pages.firstName = user.FName;
    pages.lastName = user.LName;
    pages.company = user.Company;
    pages.position = user.Position;
    pages.address1 = user.Addr1;
    pages.address2 = user.Addr2;
    pages.city = user.City;
    pages.state = user.State;
    pages.zip = user.Zip;
    return pages;
}

void CopyUserPages(const UserPageData& pages, User& user) {
    user.FName = pages.firstName;
    user.LName = pages.lastName;
    user.Company = pages.company;
    user.Position = pages.position;
    user.Addr1 = pages.address1;
    user.Addr2 = pages.address2;
    user.City = pages.city;
    user.State = pages.state;
    user.Zip = pages.zip;
}

INT_PTR RunUserSheet(HWND owner, UserPageData& pages, const EditorHelp& help) {
    GeneralPage general(IDD_USER_GENERAL, pages.firstName, pages.lastName, pages.company,
                        pages.position, nullptr, nullptr, help, kUserGeneralTopics);
    AddressPage address(IDD_USER_ADDRESS, pages.address1, pages.address2, pages.city,
                        pages.state, pages.zip, help, AddressTopics(1105));
    return RunSheet(owner, "Edit User", {&general, &address}, help);
}
