// CStatic: a static control.
#ifndef TARVELLO_FRAMEWORK_STATIC_H
#define TARVELLO_FRAMEWORK_STATIC_H

#include <windows.h>

#include "framework/Wnd.h"

class CStatic : public CWnd {};

#endif
