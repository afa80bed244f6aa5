// The program's string table (LoadStringW): the identifiers and texts of the
// window's message boxes. Each text is written here once: app/Ostrafel.rc puts
// it in the table through ui's public include folder, and ResourceText.cpp
// falls back on it where the executable carries no table (test programs).
#pragma once

#define IDS_ERROR 100 // caption of the calculation's error box
#define IDS_ERROR_TEXT "Error"
#define IDS_OK 101 // its button
#define IDS_OK_TEXT "OK"
#define IDS_CANNOT_OPEN_CLIPBOARD 102
#define IDS_CANNOT_OPEN_CLIPBOARD_TEXT "Cannot open clipboard: %s"
#define IDS_OUT_OF_RESOURCES 103
#define IDS_OUT_OF_RESOURCES_TEXT "Out of system resources"
