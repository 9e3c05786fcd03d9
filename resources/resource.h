// Identifiers of the program's resources and commands. Included by the
// resource scripts and by the C++ code, so it holds plain #defines only.
#pragma once

// --- Resources ----------------------------------------------------------------

// The main window: its menu, accelerator table, icon, main toolbar (bitmap
// strip and button list) and the caption string all share this identifier.
#define IDR_MAIN_FRAME 128
// The print preview's toolbar (bitmap strip and button list).
#define IDR_PREVIEW_TOOLBAR 205

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

// Dialog templates.
#define IDD_ABOUT 100
#define IDD_DAY_VIEW 129

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
