// Numeric ids shared by the resource script and the code: dialog controls,
// main-window commands and the program icon.
#pragma once

// Dialog controls. The quote's outputs beside the print (PDF, e-mail) take
// 220-229; the business dialog's own controls 300-329.
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
// Ctrl+B in the list and modify dialogs: open the search to move to a quote.
#define IDC_SEARCH_KEY 160
// The quote's PDF: "Guardar PDF" and "Enviar por correo", as buttons in the
// new-quote and list dialogs and the search, from the modify dialog's "PDF"
// button's menu.
#define IDC_SAVE_PDF 220
#define IDC_MAIL 221
#define IDC_PDF_MENU 222

// The search dialog.
#define IDC_SEARCH_TEXT 210
#define IDC_SEARCH_LIST 211
#define IDC_SEARCH_COUNT 212
#define IDC_VIEW 213
#define IDC_MODIFY_QUOTE 214
#define IDC_COPY_NEW 215
#define IDC_EXPORT 216

// Main-window buttons.
#define ID_NEW 100
#define ID_LIST 101
#define ID_MODIFY 102
#define ID_EXIT 103
#define ID_COMPANY 104
#define ID_SEARCH 105

// The "Datos de la empresa" dialog.
#define IDC_COMPANY_NAME 300
#define IDC_COMPANY_ACTIVITY 301
#define IDC_COMPANY_ADDRESS 302
#define IDC_COMPANY_PHONE 303
#define IDC_COMPANY_OTHER 304
#define IDC_COMPANY_VAT 305
#define IDC_PRINTER_LPT1 306
#define IDC_PRINTER_CHOOSE 307
#define IDC_COMPANY_FOOTER1 310
#define IDC_COMPANY_FOOTER2 311
#define IDC_COMPANY_FOOTER3 312
#define IDC_LOGO_PREVIEW 313
#define IDC_LOGO_BROWSE 314
#define IDC_LOGO_REMOVE 315
// The characters each line can print, beside it.
#define IDC_ROOM_NAME 316
#define IDC_ROOM_ACTIVITY 317
#define IDC_ROOM_ADDRESS 318
#define IDC_ROOM_PHONE 319
#define IDC_ROOM_OTHER 320
#define IDC_ROOM_FOOTER 321

// Program icon.
#define IDI_PROGRAM 1
