// The main dialog's template in memory, as DialogBoxIndirectParamW takes it: an
// extended template built from the one table that describes the dialog (main_dialog.h),
// with the window class and styles each control asks for.
#pragma once

#include <windows.h>

#include <vector>

namespace varnock::win32 {

// DLGTEMPLATEEX and its items, DWORD-aligned from the start of the vector.
std::vector<WORD> BuildMainDialogTemplate();

}  // namespace varnock::win32
