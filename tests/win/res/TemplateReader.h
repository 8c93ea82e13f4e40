// Reads a compiled DIALOGEX template back from the executable's resources,
// so that tests can compare exact styles and dialog-unit rectangles with
// what they must be (the created windows show both only after the system and
// the controls have adjusted them).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct TemplateItem {
    DWORD style = 0;
    DWORD exStyle = 0;
    int x = 0, y = 0, cx = 0, cy = 0;
    int id = 0;
};

struct DialogTemplateData {
    DWORD style = 0;
    DWORD exStyle = 0;
    int cx = 0, cy = 0;
    int points = 0;
    std::string font;
    std::vector<TemplateItem> items;
};

// False when the resource is missing, not a DIALOGEX or cut short.
bool ReadDialogTemplate(int templateId, DialogTemplateData* out);
