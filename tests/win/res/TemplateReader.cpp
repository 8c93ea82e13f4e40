#include "tests/win/res/TemplateReader.h"

#include <cstring>

namespace {

class Cursor {
public:
    Cursor(const BYTE* data, DWORD size) : data_(data), size_(size) {}
    bool ok() const { return ok_; }
    WORD Word() {
        WORD v = 0;
        Copy(&v, sizeof v);
        return v;
    }
    DWORD Dword() {
        DWORD v = 0;
        Copy(&v, sizeof v);
        return v;
    }
    short Short() { return static_cast<short>(Word()); }
    BYTE Byte() {
        BYTE v = 0;
        Copy(&v, sizeof v);
        return v;
    }
    // A UTF-16 string (ASCII content expected), NUL-terminated.
    std::string String() {
        std::string s;
        for (WORD c = Word(); ok_ && c != 0; c = Word())
            s += static_cast<char>(c < 128 ? c : '?');
        return s;
    }
    // Empty, an ordinal (0xFFFF then the number) or a string.
    void SkipNameOrOrdinal() {
        WORD first = Word();
        if (first == 0xFFFF)
            Word();
        else if (first != 0)
            for (WORD c = Word(); ok_ && c != 0; c = Word()) {
            }
    }
    void Skip(DWORD n) {
        if (n > size_ - pos_)
            ok_ = false;
        else
            pos_ += n;
    }
    void AlignDword() {
        DWORD pad = (4 - pos_ % 4) % 4;
        pos_ += pad < size_ - pos_ ? pad : size_ - pos_;
    }

private:
    void Copy(void* to, DWORD n) {
        if (!ok_ || n > size_ - pos_) {
            ok_ = false;
            return;
        }
        std::memcpy(to, data_ + pos_, n);
        pos_ += n;
    }
    const BYTE* data_;
    DWORD size_;
    DWORD pos_ = 0;
    bool ok_ = true;
};

} // namespace

bool ReadDialogTemplate(int templateId, DialogTemplateData* out) {
    HMODULE module = GetModuleHandleA(NULL);
    HRSRC found =
        FindResourceA(module, MAKEINTRESOURCEA(templateId), MAKEINTRESOURCEA(5)); // RT_DIALOG
    if (!found)
        return false;
    Cursor in(static_cast<const BYTE*>(LockResource(LoadResource(module, found))),
              SizeofResource(module, found));
    if (in.Word() != 1 || in.Word() != 0xFFFF)
        return false; // DIALOGEX signature
    in.Dword();       // help id
    out->exStyle = in.Dword();
    out->style = in.Dword();
    const WORD count = in.Word();
    in.Short();
    in.Short();
    out->cx = in.Short();
    out->cy = in.Short();
    in.SkipNameOrOrdinal(); // menu
    in.SkipNameOrOrdinal(); // class
    in.String();            // caption
    if (out->style & DS_SETFONT) {
        out->points = in.Word();
        in.Word(); // weight
        in.Byte(); // italic
        in.Byte(); // character set
        out->font = in.String();
    }
    out->items.clear();
    for (WORD i = 0; i < count && in.ok(); ++i) {
        in.AlignDword();
        TemplateItem item;
        in.Dword(); // help id
        item.exStyle = in.Dword();
        item.style = in.Dword();
        item.x = in.Short();
        item.y = in.Short();
        item.cx = in.Short();
        item.cy = in.Short();
        item.id = static_cast<int>(in.Dword());
        in.SkipNameOrOrdinal(); // class
        in.SkipNameOrOrdinal(); // text
        in.Skip(in.Word());     // creation data
        out->items.push_back(item);
    }
    return in.ok();
}
