// The backend-independent part of the toolkit: construction and registration.
#include "ui/controls.h"

#include <algorithm>

namespace ui {

Control::Control(Container& parentContainer, Twips at, int tab)
    : place(at), tabIndex(tab), parent(parentContainer) {
    parent.OwnerForm().Register(*this);
}

Control::~Control() = default;

void Control::Click() {
    if (onClick && parent.OwnerForm().Enabled()) onClick();
}

void Control::MouseMove() {
    if (onMouseMove && parent.OwnerForm().Enabled()) onMouseMove();
}

Frame::Frame(Container& parent, Twips place, Colour colour)
    : Control(parent, place), background(colour) {}

Picture::Picture(Container& parent, Twips place, int icon) : Control(parent, place), iconId(icon) {}

Button::Button(Container& parent, Twips place, std::wstring text, int tab, Font f)
    : Control(parent, place, tab), caption(std::move(text)), font(f) {}

Label::Label(Container& parent, Twips place, std::wstring text, Colour back, Colour fore, int tab)
    : Control(parent, place, tab), caption(std::move(text)), background(back), textColour(fore) {}

TextBox::TextBox(Container& parent, Twips place, int tab) : Control(parent, place, tab) {}

ListBox::ListBox(Container& parent, Twips place, int tab, Font f)
    : Control(parent, place, tab), font(f) {}

ComboBox::ComboBox(Container& parent, Twips place, std::vector<std::wstring> items, int tab)
    : Control(parent, place, tab), entries_(std::move(items)) {
    if (entries_.empty()) selected_ = -1;
}

// The lists keep their entries themselves; the user only chooses among them.
int ListBox::Count() const { return static_cast<int>(entries_.size()); }
std::wstring ListBox::Entry(int index) const {
    return index >= 0 && index < Count() ? entries_[index] : std::wstring();
}

int ComboBox::Count() const { return static_cast<int>(entries_.size()); }
std::wstring ComboBox::Entry(int index) const {
    return index >= 0 && index < Count() ? entries_[index] : std::wstring();
}

MenuCommand::MenuCommand(Form& form, std::wstring text) : caption(std::move(text)) {
    form.Register(*this);
}

Timer::Timer(Form& form, int intervalMs) : form_(form), interval_(intervalMs) {
    form_.Register(*this);
}

Timer::~Timer() { form_.Unregister(*this); }

void Form::Unregister(Timer& timer) {
    timers_.erase(std::remove(timers_.begin(), timers_.end(), &timer), timers_.end());
}

}  // namespace ui
