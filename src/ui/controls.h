// The thin window toolkit: forms and controls whose state the handlers read
// and write. One backend draws them with Win32 windows, the other keeps them
// in memory for the unit tests; the backend is chosen at link time.
//
// One rule for every control and form: its state (title, text, entries,
// selection, visibility, enabled, busy) lives in its own fields, and the
// getters read those. The Win32 backend writes every change the program
// makes to the window, and reads every change the user makes there (typing,
// choosing an entry) back into the fields before the event is raised. So
// what the handlers see is the same whichever backend runs them.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace ui {

// A place in twips (1/1440 inch): for a form, the screen position of its
// client area and the client size; for a control, relative to its parent.
struct Twips {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// An explicit colour, or one of the system's colours.
struct Colour {
    enum class Kind { Rgb, WindowBackground, WindowText };
    Kind kind = Kind::Rgb;
    unsigned char red = 0, green = 0, blue = 0;

    static constexpr Colour Rgb(unsigned char r, unsigned char g, unsigned char b) {
        return {Kind::Rgb, r, g, b};
    }
    bool operator==(const Colour&) const = default;
};
// Where the user reads with a high-contrast scheme, the Win32 backend paints
// the light grey in the scheme's colour for buttons and frames, and black
// text in the scheme's text colour.
constexpr Colour kLightGrey = Colour::Rgb(192, 192, 192);
constexpr Colour kBlack = Colour::Rgb(0, 0, 0);
constexpr Colour kWindowBackground{Colour::Kind::WindowBackground};
constexpr Colour kWindowText{Colour::Kind::WindowText};

struct Font {
    const wchar_t* face = L"MS Sans Serif";
    double points = 8.25;
    bool bold = true;
};

class Form;
class Control;

// What a backend keeps of an open form: its window and what was made for it.
// Each backend derives its own; the form owns it while it is open.
class NativeForm {
public:
    virtual ~NativeForm() = default;
};

class Picture;

// Something controls can be placed in: a form, or a strip inside it.
class Container {
public:
    virtual Form& OwnerForm() = 0;
    // Null for a form's own client area.
    virtual Control* AsControl() { return nullptr; }

protected:
    ~Container() = default;
};

class Control {
public:
    Control(Container& parent, Twips place, int tabIndex = -1);
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control();

    const Twips place;
    // Position in the tab order; -1 for controls that take no focus.
    const int tabIndex;
    Container& parent;

    // The name a screen reader announces for the control.
    std::wstring accessibleName;
    std::function<void()> onClick;
    std::function<void()> onMouseMove;
    // Files and folders dragged over the control, as full paths in the
    // order dropped: whether it takes them, which the pointer shows before
    // the button is let go, and taking them. A control without acceptsDrop
    // refuses every drop.
    std::function<bool(const std::vector<std::wstring>& paths)> acceptsDrop;
    std::function<void(const std::vector<std::wstring>& paths)> onDrop;

    // Raise the control's events; the Win32 backend calls these from its
    // window procedures, tests call them directly.
    void Click();
    void MouseMove();
    // Whether a drop would be taken now: not while the form takes no input.
    bool TakesDrop(const std::vector<std::wstring>& paths);
    // Takes the drop, if it would be taken.
    void Drop(const std::vector<std::wstring>& paths);

    // What the backends ask of a kind of control. A character typed into
    // it (a text box raises onKeyPress); whether it takes Enter itself
    // rather than leaving it to the dialog manager; whether a screen reader
    // may press it, as a click does.
    virtual void KeyPress(wchar_t) {}
    virtual bool TakesEnter() const { return false; }
    virtual bool Pressable() const { return false; }
    // The letter marked by "&" in its caption, upper-cased, and the control
    // that letter reaches: itself, or the one a label names; 0 and null
    // where it has none.
    virtual wchar_t AccessKey() const { return 0; }
    virtual Control* AccessKeyTarget() { return this; }

    // Backend: makes the native control once its form is opened, and lays it
    // out again when the form's resolution changes.
    virtual void CreateNative() = 0;
    virtual void LayOutNative();
    // The native control while its form is open, null otherwise.
    void* handle = nullptr;
};

// A strip of pictures on a background of its own colour, such as the bar's
// row of icons, with room for other controls (a button). The keyboard
// reaches it as one tab stop and moves among its pictures (Left, Right,
// Home, End), raising a picture's MouseMove as pointing at it does, and
// Enter or Space raises its Click; screen readers see a tool bar of push
// buttons.
class PictureStrip : public Control, public Container {
public:
    PictureStrip(Container& parent, Twips place, Colour background);
    Form& OwnerForm() override { return parent.OwnerForm(); }
    Control* AsControl() override { return this; }
    void CreateNative() override;
    void LayOutNative() override;

    const Colour background;
    // Left to right as they stand.
    const std::vector<Picture*>& Pictures() const { return pictures_; }

private:
    friend class Picture;
    std::vector<Picture*> pictures_;
};

// Icons from the program's resources taking turns in one cell of a strip,
// one shown at a time, each drawn to fill the cell.
class Picture : public Control {
public:
    Picture(PictureStrip& strip, Twips place, std::vector<int> iconIds);
    ~Picture() override;
    void CreateNative() override;

    PictureStrip& strip;
    const std::vector<int> iconIds;
    // The index in iconIds of the icon shown; the first at start.
    int Shown() const { return shown_; }
    void Show(int index);

private:
    int shown_ = 0;
};

class Button : public Control {
public:
    Button(Container& parent, Twips place, std::wstring caption, int tabIndex, Font font = {});
    void CreateNative() override;
    bool Pressable() const override { return true; }
    wchar_t AccessKey() const override;

    const std::wstring caption;
    const Font font;
};

class Label : public Control {
public:
    Label(Container& parent, Twips place, std::wstring caption, Colour background, Colour text,
          int tabIndex);
    void CreateNative() override;
    void LayOutNative() override;
    wchar_t AccessKey() const override;
    Control* AccessKeyTarget() override { return names_; }

    // The control the label stands for: its access key moves the focus
    // there, and a screen reader hears the caption as that control's name.
    void Names(Control& control);

    const std::wstring caption;
    const Colour background;
    const Colour textColour;

private:
    Control* names_ = nullptr;
};

// A single-line text box.
class TextBox : public Control {
public:
    TextBox(Container& parent, Twips place, int tabIndex);
    void CreateNative() override;

    const std::wstring& Text() const { return text_; }
    void SetText(const std::wstring& text);

    // Raised with the character code of each key typed, before the box
    // takes the character.
    std::function<void(wchar_t)> onKeyPress;
    void KeyPress(wchar_t code) override;
    bool TakesEnter() const override { return true; }
    // Backend: the user has changed the text to this.
    void Edited(std::wstring text) { text_ = std::move(text); }

private:
    std::wstring text_;
};

class ListBox : public Control {
public:
    ListBox(Container& parent, Twips place, int tabIndex, Font font = {});
    void CreateNative() override;

    const Font font;

    int Count() const { return static_cast<int>(entries_.size()); }
    // The entry at the index, empty when there is none.
    std::wstring Entry(int index) const;
    const std::vector<std::wstring>& Entries() const { return entries_; }
    void Add(const std::wstring& entry);
    // Replaces every entry at once, with nothing selected: the list is drawn
    // once, however many entries there are.
    void SetEntries(std::vector<std::wstring> entries);
    // -1 when nothing is selected.
    int SelectedIndex() const { return selected_; }
    // Selects the entry (nothing for an index out of range), then raises
    // onSelect.
    void Select(int index);
    // Backend: the user has selected the entry; raises onSelect.
    void Chosen(int index);

    std::function<void()> onDblClick;
    std::function<void()> onSelect;
    void DblClick();

private:
    std::vector<std::wstring> entries_;
    int selected_ = -1;
};

// A drop-down list; choosing an entry raises onClick.
class ComboBox : public Control {
public:
    ComboBox(Container& parent, Twips place, std::vector<std::wstring> entries, int tabIndex);
    void CreateNative() override;
    void LayOutNative() override;

    int Count() const { return static_cast<int>(entries_.size()); }
    std::wstring Entry(int index) const;
    const std::vector<std::wstring>& Entries() const { return entries_; }
    // Index of the entry shown, -1 for none; starts on the first.
    int SelectedIndex() const { return selected_; }
    // Shows the entry as if the user had chosen it (raising onClick).
    void Select(int index);
    // Backend: the user has chosen the entry; raises onClick.
    void Chosen(int index);

private:
    std::vector<std::wstring> entries_;
    int selected_ = 0;
};

// A command on the form's menu bar, acting at once (no drop-down).
class MenuCommand {
public:
    MenuCommand(Form& form, std::wstring caption);
    const std::wstring caption;
    std::function<void()> onClick;
    void Click();

private:
    Form& form_;
};

// A periodic timer owned by a form; ticks only while the form is open and
// its interval is above 0.
class Timer {
public:
    Timer(Form& form, int intervalMs);
    ~Timer();
    Form& OwnerForm() const { return form_; }
    int Interval() const { return interval_; }
    void SetInterval(int intervalMs);
    std::function<void()> onTimer;
    void Tick();

private:
    Form& form_;
    int interval_;
};

struct FormStyle {
    std::wstring title;
    Twips place;
    Colour background = kLightGrey;
    Font font{};
    int iconId = 0;  // 0: no icon of its own
    bool minimizeBox = false;
};

class Form : public Container {
public:
    explicit Form(FormStyle style);
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;
    virtual ~Form();
    Form& OwnerForm() override { return *this; }

    const FormStyle style;

    const std::wstring& Title() const { return title_; }
    void SetTitle(const std::wstring& title);

    // Creates the window on first use (running onLoad), shows it and brings
    // it to the front.
    void Show();
    // As Show, then waits until the form is closed; the other forms take
    // no input meanwhile.
    void ShowModal();
    // Destroys the window.
    void Close();
    bool IsOpen() const { return open_; }
    // Shown by ShowModal and not closed since.
    bool IsModal() const { return modal_; }

    // A disabled form takes no clicks or mouse moves (while another form is
    // shown modally).
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);

    // The hourglass pointer over the form.
    void SetBusy(bool busy);
    bool Busy() const { return busy_; }

    std::function<void()> onLoad;

    // Registration, in declaration order, used by the backend.
    void Register(Control& control) { controls_.push_back(&control); }
    void Register(MenuCommand& command) { menu_.push_back(&command); }
    void Register(Timer& timer) { timers_.push_back(&timer); }
    void Unregister(Timer& timer);
    const std::vector<Control*>& Controls() const { return controls_; }
    const std::vector<MenuCommand*>& Menu() const { return menu_; }
    const std::vector<Timer*>& Timers() const { return timers_; }

    // The backend's state of the open form; null while it is closed.
    NativeForm* native() const { return native_.get(); }

private:
    std::unique_ptr<NativeForm> native_;
    std::vector<Control*> controls_;
    std::vector<MenuCommand*> menu_;
    std::vector<Timer*> timers_;
    std::wstring title_;
    bool busy_ = false;
    bool enabled_ = true;
    bool open_ = false;
    bool modal_ = false;
};

// What an access key (Alt and a letter, or the letter alone where the focus
// takes no typing) does on a form, as in the system's own dialogs: a letter
// only one button carries presses it; a label's moves the focus to the
// control it names; a letter that several controls share moves the focus
// to the next of them in tab order at each press, and presses nothing.
struct AccessKeyAction {
    Control* control = nullptr;  // null where no control carries the letter
    bool press = false;          // pressed rather than given the focus
};
AccessKeyAction ActionOfAccessKey(const Form& form, wchar_t key, const Control* focus);

// The open forms, the one brought to the front last at the end.
const std::vector<Form*>& OpenForms();

// The form the user is dealing with: the one whose event is being handled
// (the innermost, where a box shown by one handler lets another form's
// event through), else the one in front; null when none is open. A message
// box or a modal form opened now belongs to it, whichever program is in
// front, however the event came (a click, a key or a screen reader's press).
Form* FormInCharge();

// Shows the form and dispatches events until it is closed.
void Run(Form& main);

}  // namespace ui
