// Numeric ids shared by the resource script and the code: dialog controls,
// main-window commands and the program icon.
#pragma once

// Dialog controls.
#define IDC_BODY 200
#define IDC_DATE 201
#define IDC_ADDRESS 202
#define IDC_NAME 203
#define IDC_NUMBER 204
#define IDC_TOTAL 205
#define IDC_SAVE 150
#define IDC_PRINT 151
#define IDC_NEXT 152
#define IDC_PREV 153
// IDCANCEL (2) is the system's own id for "Cancelar".

// Main-window buttons.
#define ID_NEW 100
#define ID_LIST 101
#define ID_MODIFY 102
#define ID_EXIT 103

// Program icon.
#define IDI_PROGRAM 1
