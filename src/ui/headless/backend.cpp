// The toolkit kept in memory: no windows at all. It counts what the tests
// ask about, and lets a test play the user of a modal form.
#include <map>
#include <utility>

#include "ui/backend.h"
#include "ui/headless/headless.h"

namespace ui {

namespace {

struct Record : NativeForm {
    int titleWrites = 0;
    int timesShown = 0;
    std::map<const Picture*, int> pictureWrites;
};

Record* RecordOf(const Form& form) { return static_cast<Record*>(form.native()); }

std::function<void(Form&)> g_modalDriver;

}  // namespace

void PictureStrip::CreateNative() {}
void Picture::CreateNative() {}
void Button::CreateNative() {}
void Label::CreateNative() {}
void TextBox::CreateNative() {}
void ListBox::CreateNative() {}
void ComboBox::CreateNative() {}
void Control::LayOutNative() {}
void PictureStrip::LayOutNative() {}
void Label::LayOutNative() {}
void ComboBox::LayOutNative() {}

namespace backend {

std::unique_ptr<NativeForm> MakeNative(Form&) { return std::make_unique<Record>(); }

void Open(Form&) {}
void Present(Form&) {}

void BringToFront(Form& form) { ++RecordOf(form)->timesShown; }

void WaitWhileOpen(Form& form, const std::function<void()>& finish) {
    if (g_modalDriver && form.IsOpen()) g_modalDriver(form);
    finish();
}

void Run(Form& main) { main.Show(); }

void WriteTitle(const Form& form) {
    if (Record* record = RecordOf(form)) ++record->titleWrites;
}

void WriteEnabled(const Form&) {}
void WriteBusy(const Form&) {}
void WriteInterval(const Timer&) {}
void WriteShown(const Picture& picture) {
    if (Record* record = RecordOf(picture.strip.OwnerForm())) ++record->pictureWrites[&picture];
}
void WriteText(const TextBox&) {}
void WriteEntries(const ListBox&) {}
void WriteAdded(const ListBox&) {}
void WriteSelection(const ListBox&) {}
void WriteSelection(const ComboBox&) {}

}  // namespace backend

namespace headless {

void SetModalDriver(std::function<void(Form&)> driver) { g_modalDriver = std::move(driver); }
int TitleWrites(const Form& form) { return RecordOf(form) ? RecordOf(form)->titleWrites : 0; }
int TimesShown(const Form& form) { return RecordOf(form) ? RecordOf(form)->timesShown : 0; }

int PictureWrites(const Picture& picture) {
    const Record* record = RecordOf(picture.strip.OwnerForm());
    if (!record) return 0;
    const auto found = record->pictureWrites.find(&picture);
    return found == record->pictureWrites.end() ? 0 : found->second;
}
Form* FrontForm() { return OpenForms().empty() ? nullptr : OpenForms().back(); }

void Type(TextBox& box, const std::wstring& characters) {
    for (wchar_t c : characters) {
        box.KeyPress(c);
        // A single-line box takes no control characters.
        if (c >= L' ') box.Edited(box.Text() + c);
    }
}

int TopIndex(const ListBox&) { return 0; }

}  // namespace headless
}  // namespace ui
