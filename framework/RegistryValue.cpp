#include "framework/RegistryValue.h"

bool ReadRegistryDefault(HKEY root, const char* subKey, char* value, DWORD size) {
    if (size == 0)
        return false;
    HKEY key;
    if (RegOpenKeyExA(root, subKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return false;
    DWORD type = 0;
    DWORD bytes = size - 1;
    LONG status =
        RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value), &bytes);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
        return false;
    value[bytes < size ? bytes : size - 1] = '\0';
    return true;
}
