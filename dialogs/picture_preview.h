// A picture shown small in a dialog's static control (SS_BITMAP), such as
// the logo in "Datos de la empresa".
#pragma once
#include <windows.h>

#include "common/picture.h"

// Shows `picture` in control `id`, shrunk to its size where larger; an
// empty picture clears it. The bitmap shown before is freed; clear the
// control before the dialog ends to free the last one.
void ShowPicture(HWND dialog, int id, const Picture& picture);
