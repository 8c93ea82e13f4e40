// Creating the program's dialog templates without their classes, for
// looking at them and checking them against what they must hold.
#pragma once

#include <windows.h>

// Loads the common control classes the templates use (once).
void InitGalleryControls();

// Creates template `templateId` modeless and hidden, with its initial list
// entries loaded; owner-drawn buttons show their icon and caption, and the
// tip panel is painted, so that a screenshot shows the finished look.
HWND CreateGalleryDialog(int templateId);
