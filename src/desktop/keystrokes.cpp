#include "desktop/keystrokes.h"

#include <algorithm>
#include <cwctype>
#include <optional>

namespace tavolin {

namespace {

struct NamedKey {
    const wchar_t* name;
    unsigned short code;
};
constexpr NamedKey kNamedKeys[] = {
    {L"TAB", vk::kTab},
    {L"ENTER", vk::kEnter},
    {L"ESC", vk::kEscape},
    {L"ESCAPE", vk::kEscape},
    {L"BACKSPACE", vk::kBackspace},
    {L"BS", vk::kBackspace},
    {L"DELETE", vk::kDelete},
    {L"DEL", vk::kDelete},
    {L"INSERT", vk::kInsert},
    {L"HOME", vk::kHome},
    {L"END", vk::kEnd},
    {L"PGUP", vk::kPageUp},
    {L"PGDN", vk::kPageDown},
    {L"LEFT", vk::kLeft},
    {L"RIGHT", vk::kRight},
    {L"UP", vk::kUp},
    {L"DOWN", vk::kDown},
};

std::optional<unsigned short> NamedCode(std::wstring name) {
    for (wchar_t& c : name) c = static_cast<wchar_t>(std::towupper(c));
    for (const NamedKey& key : kNamedKeys)
        if (name == key.name) return key.code;
    if (name.size() >= 2 && name.size() <= 3 && name[0] == L'F' &&
        std::all_of(name.begin() + 1, name.end(),
                    [](wchar_t c) { return c >= L'0' && c <= L'9'; })) {
        const int number = std::stoi(name.substr(1));
        if (number >= 1 && number <= 12) return static_cast<unsigned short>(vk::kF1 + number - 1);
    }
    return std::nullopt;
}

std::optional<unsigned short> ModifierFor(wchar_t c) {
    switch (c) {
        case L'%':
            return vk::kAlt;
        case L'+':
            return vk::kShift;
        case L'^':
            return vk::kControl;
        default:
            return std::nullopt;
    }
}

bool IsAsciiLetterOrDigit(wchar_t c) {
    return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9');
}

// Recursive descent over the text: a sequence of items, where an item is
// one key, or modifiers followed by one key or a parenthesised group.
class Parser {
public:
    explicit Parser(const std::wstring& text) : text_(text) {}

    bool Parse() { return Sequence(false, false); }
    std::vector<KeyEvent> events;

private:
    bool Sequence(bool inGroup, bool shiftHeld) {
        while (pos_ < text_.size()) {
            if (text_[pos_] == L')') {
                ++pos_;
                return inGroup;
            }
            if (!Item(shiftHeld)) return false;
        }
        return !inGroup;
    }

    bool Item(bool shiftHeld) {
        std::vector<unsigned short> held;
        for (; pos_ < text_.size(); ++pos_) {
            const std::optional<unsigned short> modifier = ModifierFor(text_[pos_]);
            if (!modifier) break;
            if (std::find(held.begin(), held.end(), *modifier) != held.end()) return false;
            held.push_back(*modifier);
        }
        // A modifier needs a key to hold down for.
        if (pos_ == text_.size()) return false;
        for (unsigned short modifier : held) Press(KeyEvent::Kind::Key, modifier, false);
        shiftHeld = shiftHeld || std::find(held.begin(), held.end(), vk::kShift) != held.end();
        bool ok;
        if (!held.empty() && text_[pos_] == L'(') {
            ++pos_;
            ok = Sequence(true, shiftHeld);
        } else {
            ok = Key(shiftHeld);
        }
        for (auto modifier = held.rbegin(); modifier != held.rend(); ++modifier)
            Press(KeyEvent::Kind::Key, *modifier, true);
        return ok;
    }

    bool Key(bool shiftHeld) {
        const wchar_t c = text_[pos_];
        if (c == L'~') {
            ++pos_;
            Tap(KeyEvent::Kind::Key, vk::kEnter);
            return true;
        }
        if (c == L'{') {
            // Searching from the second character after "{" lets "{}}" name "}".
            const size_t close = text_.find(L'}', pos_ + 2);
            if (close == std::wstring::npos) return false;
            const std::wstring name = text_.substr(pos_ + 1, close - pos_ - 1);
            pos_ = close + 1;
            if (name.size() == 1) return Character(name[0], shiftHeld);
            const std::optional<unsigned short> code = NamedCode(name);
            if (!code) return false;
            Tap(KeyEvent::Kind::Key, *code);
            return true;
        }
        if (c == L'}' || c == L'(') return false;
        ++pos_;
        return Character(c, shiftHeld);
    }

    bool Character(wchar_t c, bool shiftHeld) {
        if (!IsAsciiLetterOrDigit(c)) {
            Tap(KeyEvent::Kind::Character, c);
            return true;
        }
        const auto key = static_cast<unsigned short>(std::towupper(c));
        const bool addShift = !shiftHeld && c >= L'A' && c <= L'Z';
        if (addShift) Press(KeyEvent::Kind::Key, vk::kShift, false);
        Tap(KeyEvent::Kind::Key, key);
        if (addShift) Press(KeyEvent::Kind::Key, vk::kShift, true);
        return true;
    }

    void Press(KeyEvent::Kind kind, unsigned short code, bool up) {
        events.push_back({kind, code, up});
    }
    void Tap(KeyEvent::Kind kind, unsigned short code) {
        Press(kind, code, false);
        Press(kind, code, true);
    }

    const std::wstring& text_;
    size_t pos_ = 0;
};

}  // namespace

Result<std::vector<KeyEvent>> ParseKeystrokes(const std::wstring& keys) {
    Parser parser(keys);
    if (!parser.Parse()) return Failure{L"The keystroke text \"" + keys + L"\" cannot be read."};
    return std::move(parser.events);
}

}  // namespace tavolin
