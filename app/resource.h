// Identifiers of the program's resources, shared by Ostrafel.rc and the C++ code.
#pragma once

// String table (LoadStringW).
#define IDS_ERROR 100                 // "Error": caption of the calculation's error box
#define IDS_OK 101                    // "OK": its button
#define IDS_CANNOT_OPEN_CLIPBOARD 102 // "Cannot open clipboard: %s"
#define IDS_OUT_OF_RESOURCES 103      // "Out of system resources"
