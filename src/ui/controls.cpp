// What the toolkit does whichever backend draws it: the controls' state and
// events, the open forms, modal showing and the busy pointer's state.
#include "ui/controls.h"

#include <algorithm>
#include <cwctype>

#include "ui/backend.h"

namespace ui {

namespace {

std::vector<Form*> g_openForms;  // in the order they came to the front
std::vector<Form*> g_handling;   // whose events are being handled, innermost last

// Raises an event of the form's, noting the form for its handler's life.
template <class Handler, class... Arguments>
void Raise(Form& form, const Handler& handler, Arguments... arguments) {
    if (!handler) return;
    g_handling.push_back(&form);
    struct Done {
        ~Done() { g_handling.pop_back(); }
    } done;
    handler(arguments...);
}

void Forget(Form& form) {
    g_openForms.erase(std::remove(g_openForms.begin(), g_openForms.end(), &form),
                      g_openForms.end());
}

wchar_t MarkedLetter(const std::wstring& caption) {
    const size_t mark = caption.find(L'&');
    if (mark == std::wstring::npos || mark + 1 >= caption.size()) return 0;
    return static_cast<wchar_t>(std::towupper(caption[mark + 1]));
}

template <class Entries>
int InRange(int index, const Entries& entries) {
    return index >= 0 && index < static_cast<int>(entries.size()) ? index : -1;
}

template <class Entries>
std::wstring EntryAt(const Entries& entries, int index) {
    return InRange(index, entries) >= 0 ? entries[index] : std::wstring();
}

}  // namespace

const std::vector<Form*>& OpenForms() { return g_openForms; }

Form* FormInCharge() {
    for (auto form = g_handling.rbegin(); form != g_handling.rend(); ++form)
        if ((*form)->IsOpen()) return *form;
    return g_openForms.empty() ? nullptr : g_openForms.back();
}

Control::Control(Container& parentContainer, Twips at, int tab)
    : place(at), tabIndex(tab), parent(parentContainer) {
    parent.OwnerForm().Register(*this);
}

Control::~Control() = default;

void Control::Click() {
    if (parent.OwnerForm().Enabled()) Raise(parent.OwnerForm(), onClick);
}

void Control::MouseMove() {
    if (parent.OwnerForm().Enabled()) Raise(parent.OwnerForm(), onMouseMove);
}

bool Control::TakesDrop(const std::vector<std::wstring>& paths) {
    return parent.OwnerForm().Enabled() && !paths.empty() && acceptsDrop && acceptsDrop(paths);
}

void Control::Drop(const std::vector<std::wstring>& paths) {
    if (TakesDrop(paths)) Raise(parent.OwnerForm(), onDrop, paths);
}

PictureStrip::PictureStrip(Container& parent, Twips place, Colour colour)
    : Control(parent, place), background(colour) {}

Picture::Picture(PictureStrip& in, Twips place, std::vector<int> icons)
    : Control(in, place), strip(in), iconIds(std::move(icons)) {
    const auto after =
        std::find_if(strip.pictures_.begin(), strip.pictures_.end(),
                     [&](const Picture* other) { return other->place.left > place.left; });
    strip.pictures_.insert(after, this);
}

Picture::~Picture() { std::erase(strip.pictures_, this); }

void Picture::Show(int index) {
    shown_ = InRange(index, iconIds) >= 0 ? index : 0;
    backend::WriteShown(*this);
}

Button::Button(Container& parent, Twips place, std::wstring text, int tab, Font f)
    : Control(parent, place, tab), caption(std::move(text)), font(f) {}

wchar_t Button::AccessKey() const { return MarkedLetter(caption); }

Label::Label(Container& parent, Twips place, std::wstring text, Colour back, Colour fore, int tab)
    : Control(parent, place, tab), caption(std::move(text)), background(back), textColour(fore) {}

wchar_t Label::AccessKey() const { return MarkedLetter(caption); }

// Said without the access key's mark and the trailing blank.
void Label::Names(Control& control) {
    names_ = &control;
    std::wstring spoken;
    for (wchar_t c : caption)
        if (c != L'&') spoken += c;
    control.accessibleName = spoken.substr(0, spoken.find_last_not_of(L' ') + 1);
}

TextBox::TextBox(Container& parent, Twips place, int tab) : Control(parent, place, tab) {}

void TextBox::KeyPress(wchar_t code) { Raise(parent.OwnerForm(), onKeyPress, code); }

void TextBox::SetText(const std::wstring& text) {
    text_ = text;
    backend::WriteText(*this);
}

ListBox::ListBox(Container& parent, Twips place, int tab, Font f)
    : Control(parent, place, tab), font(f) {}

std::wstring ListBox::Entry(int index) const { return EntryAt(entries_, index); }

void ListBox::Add(const std::wstring& entry) {
    entries_.push_back(entry);
    backend::WriteAdded(*this);
}

void ListBox::SetEntries(std::vector<std::wstring> entries) {
    entries_ = std::move(entries);
    selected_ = -1;
    backend::WriteEntries(*this);
}

void ListBox::Select(int index) {
    selected_ = InRange(index, entries_);
    backend::WriteSelection(*this);
    Raise(parent.OwnerForm(), onSelect);
}

void ListBox::Chosen(int index) {
    selected_ = InRange(index, entries_);
    Raise(parent.OwnerForm(), onSelect);
}

void ListBox::DblClick() { Raise(parent.OwnerForm(), onDblClick); }

ComboBox::ComboBox(Container& parent, Twips place, std::vector<std::wstring> items, int tab)
    : Control(parent, place, tab), entries_(std::move(items)) {
    if (entries_.empty()) selected_ = -1;
}

std::wstring ComboBox::Entry(int index) const { return EntryAt(entries_, index); }

void ComboBox::Select(int index) {
    selected_ = InRange(index, entries_);
    backend::WriteSelection(*this);
    Click();
}

void ComboBox::Chosen(int index) {
    selected_ = InRange(index, entries_);
    Click();
}

MenuCommand::MenuCommand(Form& form, std::wstring text) : caption(std::move(text)), form_(form) {
    form.Register(*this);
}

void MenuCommand::Click() { Raise(form_, onClick); }

Timer::Timer(Form& form, int intervalMs) : form_(form), interval_(intervalMs) {
    form_.Register(*this);
}

Timer::~Timer() { form_.Unregister(*this); }

void Timer::Tick() { Raise(form_, onTimer); }

void Timer::SetInterval(int intervalMs) {
    interval_ = intervalMs;
    backend::WriteInterval(*this);
}

Form::Form(FormStyle formStyle) : style(std::move(formStyle)) {}

Form::~Form() {
    // The members of the derived form are gone: nothing may reach them now,
    // and the window goes without an unload.
    open_ = false;
    native_.reset();
    Forget(*this);
}

void Form::Unregister(Timer& timer) {
    timers_.erase(std::remove(timers_.begin(), timers_.end(), &timer), timers_.end());
}

void Form::SetTitle(const std::wstring& title) {
    title_ = title;
    backend::WriteTitle(*this);
}

void Form::Show() {
    if (!open_) {
        open_ = true;
        title_ = style.title;
        native_ = backend::MakeNative(*this);
        backend::Open(*this);
        Raise(*this, onLoad);
        if (!open_) return;  // Load closed the form
        backend::Present(*this);
    }
    Forget(*this);
    g_openForms.push_back(this);
    backend::BringToFront(*this);
}

void Form::ShowModal() {
    std::vector<Form*> others;
    for (Form* form : g_openForms)
        if (form != this && form->Enabled()) others.push_back(form);
    for (Form* form : others) form->SetEnabled(false);
    modal_ = true;
    Show();
    backend::WaitWhileOpen(*this, [&] {
        // The others come back before this one goes, so that the activation
        // returns to the opener rather than to another program.
        for (Form* form : others) form->SetEnabled(true);
        Close();
    });
    modal_ = false;
}

void Form::Close() {
    if (!open_) return;
    open_ = false;
    Forget(*this);
    for (Control* control : controls_) control->handle = nullptr;
    native_.reset();
}

void Form::SetEnabled(bool enabled) {
    enabled_ = enabled;
    backend::WriteEnabled(*this);
}

void Form::SetBusy(bool busy) {
    busy_ = busy;
    backend::WriteBusy(*this);
}

AccessKeyAction ActionOfAccessKey(const Form& form, wchar_t key, const Control* focus) {
    const wchar_t letter = static_cast<wchar_t>(std::towupper(key));
    std::vector<Control*> reached;  // in tab order
    bool onlyAButton = false;
    for (Control* control : form.Controls()) {
        if (letter == 0 || control->AccessKey() != letter) continue;
        Control* target = control->AccessKeyTarget();
        if (!target || target->tabIndex < 0) continue;
        reached.push_back(target);
        onlyAButton = target == control && control->Pressable();
    }
    if (reached.empty()) return {};
    if (reached.size() == 1) return {reached.front(), onlyAButton};
    std::stable_sort(reached.begin(), reached.end(),
                     [](const Control* a, const Control* b) { return a->tabIndex < b->tabIndex; });
    const int from = focus ? focus->tabIndex : -1;
    const auto next = std::find_if(reached.begin(), reached.end(),
                                   [from](const Control* c) { return c->tabIndex > from; });
    return {next != reached.end() ? *next : reached.front(), false};
}

void Run(Form& main) { backend::Run(main); }

}  // namespace ui
