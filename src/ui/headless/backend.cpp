// The toolkit kept in memory: state lives in plain fields and events are
// raised by the tests themselves.
#include <algorithm>
#include <utility>

#include "ui/controls.h"
#include "ui/headless/headless.h"

namespace ui {

struct NativeForm {
    int titleWrites = 0;
    int timesShown = 0;
};

namespace {
std::function<void(Form&)> g_modalDriver;
std::vector<Form*> g_openForms;  // in the order they came to the front
}  // namespace

void Control::SetVisible(bool visible) { visible_ = visible; }

void Frame::CreateNative() {}
void Picture::CreateNative() {}
void Button::CreateNative() {}
void Label::CreateNative() {}
void TextBox::CreateNative() {}
void ListBox::CreateNative() {}
void ComboBox::CreateNative() {}

std::wstring TextBox::Text() const { return text_; }
void TextBox::SetText(const std::wstring& text) { text_ = text; }

void TextBox::Type(const std::wstring& characters) {
    for (wchar_t c : characters) {
        KeyPress(c);
        if (c >= L' ') text_ += c;  // a single-line box takes no control characters
    }
}

void ListBox::Add(const std::wstring& entry) { entries_.push_back(entry); }
void ListBox::SetEntries(std::vector<std::wstring> entries) {
    entries_ = std::move(entries);
    selected_ = -1;
}
int ListBox::SelectedIndex() const { return selected_; }
void ListBox::Select(int index) {
    selected_ = index >= 0 && index < Count() ? index : -1;
    if (onSelect) onSelect();
}
int ListBox::TopIndex() const { return 0; }

void ComboBox::SetEntries(std::vector<std::wstring> entries) {
    entries_ = std::move(entries);
    selected_ = entries_.empty() ? -1 : 0;
}
int ComboBox::SelectedIndex() const { return selected_; }
void ComboBox::Select(int index) {
    selected_ = index >= 0 && index < Count() ? index : -1;
    Click();
}

void Timer::SetInterval(int intervalMs) { interval_ = intervalMs; }

Form::Form(FormStyle formStyle) : style(std::move(formStyle)), native_(new NativeForm) {}

Form::~Form() {
    g_openForms.erase(std::remove(g_openForms.begin(), g_openForms.end(), this), g_openForms.end());
}

std::wstring Form::Title() const { return title_; }

void Form::SetTitle(const std::wstring& title) {
    title_ = title;
    ++native_->titleWrites;
}

void Form::Show() {
    if (!open_) {
        open_ = true;
        title_ = style.title;
        for (Control* control : controls_) control->CreateNative();
        if (onLoad) onLoad();
    }
    g_openForms.erase(std::remove(g_openForms.begin(), g_openForms.end(), this), g_openForms.end());
    g_openForms.push_back(this);
    ++native_->timesShown;
}

void Form::ShowModal() {
    std::vector<Form*> others;
    for (Form* form : g_openForms)
        if (form != this && form->Enabled()) others.push_back(form);
    for (Form* form : others) form->SetEnabled(false);
    Show();
    if (g_modalDriver) g_modalDriver(*this);
    if (open_) Close();
    for (Form* form : others) form->SetEnabled(true);
}

void Form::SetEnabled(bool enabled) { enabled_ = enabled; }

void Form::Close() {
    if (!open_) return;
    if (onUnload) onUnload();
    open_ = false;
    g_openForms.erase(std::remove(g_openForms.begin(), g_openForms.end(), this), g_openForms.end());
}

bool Form::IsOpen() const { return open_; }

void Form::SetBusy(bool busy) { busy_ = busy; }

void Run(Form& main) { main.Show(); }

namespace headless {

void SetModalDriver(std::function<void(Form&)> driver) { g_modalDriver = std::move(driver); }
int TitleWrites(const Form& form) { return form.native()->titleWrites; }
int TimesShown(const Form& form) { return form.native()->timesShown; }
Form* FrontForm() { return g_openForms.empty() ? nullptr : g_openForms.back(); }

}  // namespace headless
}  // namespace ui
