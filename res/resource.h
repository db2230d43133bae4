// Resource identifiers, shared by the resource script and the code that reads it. They
// are macros so that the resource compiler, which knows no C++, reads them too.
#pragma once

#define IDD_MAIN_DIALOG 102
#define IDR_FILE_ICON 128
#define IDR_APP_ICON 172
#define IDB_LOGO 174
#define IDB_LOGO_125 175  // the logo made for larger scales
#define IDB_LOGO_150 176
#define IDB_LOGO_200 177

#define IDC_HUB_CODE 1000
#define IDC_MANUFACTURER 1002
#define IDC_DECADE_1990 1003
#define IDC_DECADE_2000 1004
#define IDC_DECADE_2010 1005
#define IDC_RESULT 1006
#define IDC_PROCESS 1009
#define IDC_YEARS_LABEL 1018
#define IDC_VERSION_LABEL 1020
#define IDC_DECADE_2020 1021
#define IDC_LOGO 1022

#ifndef IDCANCEL  // Windows' own, where its headers are in
#define IDCANCEL 2
#endif
#define IDC_STATIC (-1)  // a control no code refers to
