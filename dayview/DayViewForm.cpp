#include "DayViewForm.h"

#include "resource.h"

DayViewForm::DayViewForm() : Dialog(IDD_DAY_VIEW) {}

HWND DayViewForm::Create(HWND frame) { return Dialog::Create(frame); }
