// CStatic: a static control.
#pragma once

#include <windows.h>

#include "framework/Wnd.h"

class CStatic : public CWnd {};
