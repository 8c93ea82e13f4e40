// The whole dialog framework layer in one include.
#pragma once

#include "framework/Button.h"
#include "framework/ComboBox.h"
#include "framework/Dialog.h"
#include "framework/Edit.h"
#include "framework/FileDialog.h"
#include "framework/ListCtrl.h"
#include "framework/Menu.h"
#include "framework/ProgressCtrl.h"
#include "framework/SliderCtrl.h"
#include "framework/Static.h"
#include "framework/ToolTipCtrl.h"
#include "framework/WinApp.h"
#include "framework/Wnd.h"
