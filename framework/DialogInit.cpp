#include "framework/DialogInit.h"

#include "framework/DialogInitData.h"

namespace {

const WORD kResourceTypeDlgInit = 240;

// Finds the template's entries in `module`; NULL when it has none.
const void* FindEntries(HMODULE module, int templateId, DWORD* size) {
    HRSRC found =
        FindResourceA(module, MAKEINTRESOURCEA(templateId), MAKEINTRESOURCEA(kResourceTypeDlgInit));
    if (!found)
        return NULL;
    HGLOBAL loaded = LoadResource(module, found);
    if (!loaded)
        return NULL;
    *size = SizeofResource(module, found);
    return LockResource(loaded);
}

} // namespace

int LoadDialogInitEntries(HWND dialog, int templateId) {
    if (!dialog)
        return 0;
    HMODULE own = reinterpret_cast<HMODULE>(GetWindowLongPtrA(dialog, GWLP_HINSTANCE));
    DWORD size = 0;
    const void* data = own ? FindEntries(own, templateId, &size) : NULL;
    HMODULE exe = GetModuleHandleA(NULL);
    if (!data && exe != own)
        data = FindEntries(exe, templateId, &size);
    if (!data)
        return 0;

    DialogInitReader reader(data, size);
    DialogInitEntry entry;
    int added = 0;
    while (reader.Next(&entry)) {
        UINT message = 0;
        if (entry.message == kDlgInitComboAddString)
            message = CB_ADDSTRING;
        else if (entry.message == kDlgInitListAddString)
            message = LB_ADDSTRING;
        else
            continue; // a kind of entry this program does not use
        SendDlgItemMessageA(dialog, entry.controlId, message, 0,
                            reinterpret_cast<LPARAM>(entry.text.c_str()));
        ++added;
    }
    return reader.Malformed() ? -1 : added;
}
