// Identifiers of the program's resources and commands. Included by the
// resource scripts and by the C++ code, so it holds plain #defines only.
#pragma once

// --- Resources ----------------------------------------------------------------

// The main window: its menu, accelerator table, icon, main toolbar (bitmap
// strip and button list) and the caption string all share this identifier.
#define IDR_MAIN_FRAME 128
// The print preview's toolbar (bitmap strip and button list).
#define IDR_PREVIEW_TOOLBAR 205
// The icon of .pgr documents. Numbered above the program's icon so that it is
// the file's second icon: the association's DefaultIcon names it as index 1.
#define IDI_DOCUMENT 129

// Custom resource type of a toolbar's button list. The data is a sequence of
// 16-bit words: version (1), image width, image height, number of entries,
// then one command identifier per entry, 0 standing for a separator. The
// images of the bitmap with the same identifier belong, in order, to the
// entries that are not separators.
#define RESOURCE_TYPE_TOOLBAR 241
#define TOOLBAR_DATA_VERSION 1
#define TOOLBAR_IMAGE_WIDTH 16
#define TOOLBAR_IMAGE_HEIGHT 15
#define TOOLBAR_SEPARATOR 0
// The toolbar bitmaps are 16-colour strips whose background is light grey,
// RGB(192, 192, 192), to be shown as the button face.
// The same strips drawn larger for screens at 150% (24 by 22 images) and
// 200% (32 by 30); the button lists stay those of the 16 by 15 strips.
#define IDB_MAIN_TOOLBAR_150 230
#define IDB_MAIN_TOOLBAR_200 231
#define IDB_PREVIEW_TOOLBAR_150 232
#define IDB_PREVIEW_TOOLBAR_200 233

// Dialog templates.
#define IDD_ABOUT 100
#define IDD_DAY_VIEW 129
#define IDD_USER_GENERAL 135
#define IDD_TASK_EDITOR 136
#define IDD_PERSON_ADDRESS 137
#define IDD_PERSON_PHONE 138
#define IDD_PERSON_NOTES 139
#define IDD_PERSON_GENERAL 140
#define IDD_APPOINTMENT_EDITOR 141
#define IDD_USER_ADDRESS 147
#define IDD_REMINDER 148
// The exchange wizard's pages (last first) and its "Fields" dialog.
#define IDD_EXCHANGE_FIELDS_PAGE 162
#define IDD_EXCHANGE_STRUCTURE_PAGE 163
#define IDD_EXCHANGE_DOCUMENT_PAGE 164
#define IDD_EXCHANGE_FIELDS_DIALOG 165
// "Persons To Include": the persons of the address book or the envelopes.
#define IDD_PERSONS_TO_INCLUDE 204
// "Printing": the page a long print job has reached, with Cancel.
#define IDD_PRINTING 207

// The picture on the wizard's pages: a placeable metafile of this custom type.
#define IDR_WIZARD_PICTURE 156
#define RESOURCE_TYPE_METAFILE "METAFILE"

// --- Strings --------------------------------------------------------------------

// The frame's caption before the document title replaces it.
#define IDS_MAIN_CAPTION 128
// Status-bar text while no menu item is highlighted.
#define IDS_READY 57345
// Prompt of every recent-file item.
#define IDS_OPEN_RECENT_DOCUMENT 61402

// --- Commands -------------------------------------------------------------------

// File menu.
#define ID_FILE_NEW 57600
#define ID_FILE_OPEN 57601
#define ID_FILE_SAVE 57603
#define ID_FILE_SAVE_AS 57604
#define ID_FILE_PAGE_SETUP 57605
#define ID_FILE_PRINT 57607
#define ID_FILE_PRINT_PREVIEW 57609
#define ID_FILE_COMPACT 32787
#define ID_IMPORT_TASKS 32813
#define ID_IMPORT_PHONE_BOOK 32814
#define ID_IMPORT_APPOINTMENTS 32815
#define ID_EXPORT_TASKS 32801
#define ID_EXPORT_PHONE_BOOK 32781
#define ID_EXPORT_APPOINTMENTS 32783
// The phone book in and out as vCard (.vcf) files.
#define ID_IMPORT_VCARD 32816
#define ID_EXPORT_VCARD 32817
// Appointments and tasks in and out as iCalendar (.ics) files.
#define ID_IMPORT_ICALENDAR 32818
#define ID_EXPORT_ICALENDAR 32819
// Recent files: one command per entry, the newest first. With no entry the
// first identifier names the disabled "(Empty)" item.
#define ID_FILE_RECENT_FIRST 57616
#define ID_FILE_RECENT_LAST 57631
#define ID_APP_EXIT 57665

// Tasks menu.
#define ID_TASK_ADD 32790
#define ID_TASK_DELETE 32791
#define ID_TASK_EDIT 32792
#define ID_TASK_COMPLETE 32793

// Phone Book menu.
#define ID_PERSON_ADD 32775
#define ID_PERSON_DELETE 32776
#define ID_PERSON_EDIT 32777

// Appointments menu.
#define ID_APPOINTMENT_ADD 32797
#define ID_APPOINTMENT_DELETE 32798
#define ID_APPOINTMENT_EDIT 32799

// Edit menu.
#define ID_EDIT_USER 32771
#define ID_EDIT_ALARM_SOUND 32789

// Report menu.
#define ID_REPORT_DAILY_PLAN 32778
#define ID_REPORT_DAILY_APPOINTMENTS 32779
#define ID_REPORT_DAILY_TASKS 32780
#define ID_REPORT_ENVELOPES 32782
#define ID_REPORT_PHONE_BOOK 32784
#define ID_REPORT_FONT 32785

// View menu; the same identifiers name the main toolbar and the status bar.
#define ID_VIEW_TOOLBAR 59392
#define ID_VIEW_STATUS_BAR 59393

// Help menu and the main toolbar's pointer help.
#define ID_HELP_TOPICS 57667
#define ID_APP_ABOUT 57664
#define ID_CONTEXT_HELP 57669

// Print preview toolbar.
#define ID_PREVIEW_CLOSE 58112
#define ID_PREVIEW_NEXT_PAGE 58114
#define ID_PREVIEW_PREVIOUS_PAGE 58115

// Keyboard only; nothing carries them out in the main window.
#define ID_EDIT_COPY 57634
#define ID_EDIT_CUT 57635
#define ID_EDIT_PASTE 57637
#define ID_EDIT_UNDO 57643
#define ID_NEXT_PANE 57680
#define ID_PREVIOUS_PANE 57681

// --- About dialog (IDD_ABOUT) ------------------------------------------------------

#define IDC_ABOUT_ICON 1200
#define IDC_ABOUT_NAME 1201
#define IDC_ABOUT_VERSION 1202

// --- Day view form (IDD_DAY_VIEW) ----------------------------------------------------

#define IDC_DAY_CALENDAR 1000
#define IDC_DAY_TIME_SLOT_LIST 1001
#define IDC_DAY_TASK_LIST 1002
#define IDC_DAY_PHONE_LIST 1003
#define IDC_DAY_HOME_PHONE 1004
#define IDC_DAY_WORK_PHONE 1005
#define IDC_DAY_PAGER 1006
#define IDC_DAY_FAX 1007
#define IDC_DAY_EMAIL 1008
#define IDC_DAY_CELL_PHONE 1009
#define IDC_DAY_WEB_PAGE 1010
#define IDC_DAY_DATE_CAPTION 1011
#define IDC_DAY_WHITE_PAGES 1044
#define IDC_DAY_YELLOW_PAGES 1045
#define IDC_DAY_HOME_PHONE_LABEL 1057
#define IDC_DAY_WORK_PHONE_LABEL 1058
#define IDC_DAY_FAX_LABEL 1059
#define IDC_DAY_EMAIL_LABEL 1060
#define IDC_DAY_PAGER_LABEL 1061
#define IDC_DAY_CELL_PHONE_LABEL 1062
#define IDC_DAY_WEB_PAGE_LABEL 1063
#define IDC_DAY_APPOINTMENTS_GROUP 1078
#define IDC_DAY_PHONE_BOOK_GROUP 1079
#define IDC_DAY_TASKS_GROUP 1080
#define IDC_DAY_PAGES_GROUP 1113

// --- Task editor (IDD_TASK_EDITOR) --------------------------------------------------

#define IDC_TASK_PRIORITY_DONE 1022
#define IDC_TASK_PRIORITY_LOW 1023
#define IDC_TASK_PRIORITY_MEDIUM 1024
#define IDC_TASK_PRIORITY_HIGH 1025
#define IDC_TASK_TEXT 1038
#define IDC_TASK_PRIORITY_GROUP 1051
#define IDC_TASK_TEXT_LABEL 1052
#define IDC_TASK_DUE_DATE 1100
#define IDC_TASK_DUE_DATE_LABEL 1110

// --- Appointment editor (IDD_APPOINTMENT_EDITOR) -------------------------------------

#define IDC_APPOINTMENT_DATE 1000
#define IDC_APPOINTMENT_TEXT 1033
#define IDC_APPOINTMENT_SET_ALARM 1037
#define IDC_APPOINTMENT_MINUTES 1038
#define IDC_APPOINTMENT_MINUTES_SPIN 1039
#define IDC_APPOINTMENT_BEGIN 1040
#define IDC_APPOINTMENT_END 1041
#define IDC_APPOINTMENT_BEGIN_SPIN 1042
#define IDC_APPOINTMENT_END_SPIN 1043
#define IDC_APPOINTMENT_TEXT_LABEL 1069
#define IDC_APPOINTMENT_DATE_LABEL 1070
#define IDC_APPOINTMENT_BEGIN_LABEL 1071
#define IDC_APPOINTMENT_END_LABEL 1072
#define IDC_APPOINTMENT_MINUTES_LABEL 1073
#define IDC_APPOINTMENT_ALARM_GROUP 1074
#define IDC_APPOINTMENT_TIMES_GROUP 1075

// --- Person and user sheets' pages ---------------------------------------------------
// (IDD_PERSON_GENERAL, _PHONE, _ADDRESS, _NOTES; IDD_USER_GENERAL, _ADDRESS)

#define IDC_PERSON_FIRST_NAME 1013
#define IDC_PERSON_LAST_NAME 1014
#define IDC_PERSON_COMPANY 1015
#define IDC_PERSON_POSITION 1016
#define IDC_PERSON_ZIP 1017
#define IDC_PERSON_ADDRESS1 1018
#define IDC_PERSON_ADDRESS2 1019
#define IDC_PERSON_CITY 1020
#define IDC_PERSON_STATE 1021
#define IDC_PERSON_HOME_PHONE 1022
#define IDC_PERSON_WORK_PHONE 1023
#define IDC_PERSON_FAX 1024
#define IDC_PERSON_EMAIL 1025
#define IDC_PERSON_PAGER 1026
#define IDC_PERSON_CELL_PHONE 1027
#define IDC_PERSON_WEB_PAGE 1028
#define IDC_PERSON_WORK_EXT 1029
#define IDC_PERSON_NOTES 1030
#define IDC_PERSON_WHITE_PAGES 1044
#define IDC_PERSON_YELLOW_PAGES 1045
#define IDC_PERSON_FIRST_NAME_LABEL 1053
#define IDC_PERSON_LAST_NAME_LABEL 1054
#define IDC_PERSON_COMPANY_LABEL 1055
#define IDC_PERSON_POSITION_LABEL 1056
#define IDC_PERSON_HOME_PHONE_LABEL 1057
#define IDC_PERSON_WORK_PHONE_LABEL 1058
#define IDC_PERSON_FAX_LABEL 1059
#define IDC_PERSON_EMAIL_LABEL 1060
#define IDC_PERSON_PAGER_LABEL 1061
#define IDC_PERSON_CELL_PHONE_LABEL 1062
#define IDC_PERSON_WEB_PAGE_LABEL 1063
#define IDC_PERSON_ADDRESS1_LABEL 1064
#define IDC_PERSON_ADDRESS2_LABEL 1065
#define IDC_PERSON_CITY_LABEL 1066
#define IDC_PERSON_STATE_LABEL 1067
#define IDC_PERSON_ZIP_LABEL 1068
#define IDC_PERSON_ADDRESS_BOOK_GROUP 1076
#define IDC_PERSON_WORK_EXT_LABEL 1077

// --- Appointment reminder (IDD_REMINDER) ---------------------------------------------

#define IDC_REMINDER_TURN_OFF 1082
#define IDC_REMINDER_MESSAGE 1084

// --- Exchange wizard (IDD_EXCHANGE_*) -------------------------------------------------

// Where each page paints the picture; the control goes once its place is known.
#define IDC_EXCHANGE_PICTURE 1134
// "Select Document"
#define IDC_EXCHANGE_FILE_GROUP 1000
#define IDC_EXCHANGE_FILE_NAME 1048
#define IDC_EXCHANGE_BROWSE 1049
// "Document Structure"
#define IDC_EXCHANGE_FIRST_LINE_GROUP 1149
#define IDC_EXCHANGE_FIRST_LINE 1144
#define IDC_EXCHANGE_NAMES_GROUP 1001
#define IDC_EXCHANGE_HAS_NAMES 1135
#define IDC_EXCHANGE_SEPARATOR_GROUP 1002
#define IDC_EXCHANGE_SEPARATOR 1140
#define IDC_EXCHANGE_ENCLOSER_GROUP 1003
#define IDC_EXCHANGE_ENCLOSER 1141
// "Fields To Import"
#define IDC_EXCHANGE_FIELDS_GROUP 1004
#define IDC_EXCHANGE_FIELDS 1145
// "Fields"
#define IDC_EXCHANGE_ASSIGN_LABEL 1005
#define IDC_EXCHANGE_ASSIGN_FIELD 1148
#define IDC_EXCHANGE_IMPORT_FIELD 1147

// --- Persons To Include (IDD_PERSONS_TO_INCLUDE) ----------------------------------------

#define IDC_PERSONS_LIST 1044
#define IDC_PERSONS_SELECT_ALL 1045
#define IDC_PERSONS_HELP 1047
#define IDC_PERSONS_PREVIEW 1051
#define IDC_PERSONS_PRINT 1052

// --- Printing (IDD_PRINTING) ---------------------------------------------------------

// What is printed ("Printing the report DAILY PLAN") and "Page N of M".
#define IDC_PRINTING_WHAT 1160
#define IDC_PRINTING_PAGE 1161
