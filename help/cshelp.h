// Numbers of the pop-up texts in cshelp.txt: the topic numbers the dialogs
// pass to HTML Help with a control's help request (F1 or the "?" button).
// Buttons shared by many dialogs
#define IDH_OK                      1000
#define IDH_CANCEL                  1001
#define IDH_HELP_BUTTON             1002
#define IDH_PRINT_BUTTON            1003
#define IDH_PREVIEW_BUTTON          1004
#define IDH_SELECT_ALL              1005
// Edit > User: General and Address pages
#define IDH_USER_FIRST_NAME         1101
#define IDH_USER_LAST_NAME          1102
#define IDH_USER_COMPANY            1103
#define IDH_USER_POSITION           1104
#define IDH_USER_ADDRESS1           1105
#define IDH_USER_ADDRESS2           1106
#define IDH_USER_CITY               1107
#define IDH_USER_STATE              1108
#define IDH_USER_ZIP                1109
// Phone book entry: General, Address, Phone and Notes pages
#define IDH_PERSON_FIRST_NAME       1201
#define IDH_PERSON_LAST_NAME        1202
#define IDH_PERSON_COMPANY          1203
#define IDH_PERSON_POSITION         1204
#define IDH_PERSON_WHITE_PAGES      1205
#define IDH_PERSON_YELLOW_PAGES     1206
#define IDH_PERSON_ADDRESS1         1207
#define IDH_PERSON_ADDRESS2         1208
#define IDH_PERSON_CITY             1209
#define IDH_PERSON_STATE            1210
#define IDH_PERSON_ZIP              1211
#define IDH_PERSON_HOME_PHONE       1220
#define IDH_PERSON_WORK_PHONE       1221
#define IDH_PERSON_WORK_EXT         1222
#define IDH_PERSON_FAX              1223
#define IDH_PERSON_EMAIL            1224
#define IDH_PERSON_PAGER            1225
#define IDH_PERSON_CELL_PHONE       1226
#define IDH_PERSON_WEB_PAGE         1227
#define IDH_PERSON_NOTES            1230
// Task dialog
#define IDH_TASK_DUE_DATE           1300
#define IDH_TASK_TEXT               1301
#define IDH_TASK_PRIORITY           1302
// Appointment dialog
#define IDH_APPOINTMENT_TEXT        1400
#define IDH_APPOINTMENT_DATE        1401
#define IDH_APPOINTMENT_BEGIN       1402
#define IDH_APPOINTMENT_END         1403
#define IDH_APPOINTMENT_SET_ALARM   1404
#define IDH_APPOINTMENT_MINUTES     1405
#define IDH_APPOINTMENT_TIMES       1406
#define IDH_APPOINTMENT_ALARM       1410
// Import and export wizard, and its Fields dialog
#define IDH_EXCHANGE_FILE_NAME      1500
#define IDH_EXCHANGE_BROWSE         1501
#define IDH_EXCHANGE_FIRST_LINE     1502
#define IDH_EXCHANGE_HAS_NAMES      1504
#define IDH_EXCHANGE_SEPARATOR      1506
#define IDH_EXCHANGE_ENCLOSER       1508
#define IDH_EXCHANGE_FIELDS         1510
#define IDH_EXCHANGE_ASSIGN_FIELD   1550
#define IDH_EXCHANGE_IMPORT_FIELD   1551
// Persons To Include (address book and envelopes)
#define IDH_REPORT_PERSONS          1600
