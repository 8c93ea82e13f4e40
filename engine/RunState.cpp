#include "engine/RunState.h"

RunState g_runState;
