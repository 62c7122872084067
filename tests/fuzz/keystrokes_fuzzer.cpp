// ParseKeystrokes over arbitrary texts: it never crashes, a text it cannot
// read gives a failure with a description, and every sequence it gives
// releases each key it presses, modifiers included.
#include <cstdlib>
#include <map>
#include <utility>

#include "desktop/keystrokes.h"
#include "fuzz_text.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using tavolin::KeyEvent;
    const std::wstring keys = tavolin::fuzz::WideText(data, size);
    const tavolin::Result<std::vector<KeyEvent>> result = tavolin::ParseKeystrokes(keys);
    if (!result.ok()) {
        Check(!result.failure().description.empty());
        return 0;
    }
    const std::vector<KeyEvent>& events = result.value();
    // A text that can be read types something, unless it is empty.
    Check(keys.empty() == events.empty());

    // Releases come in the reverse order of the presses they end, so a
    // modifier is never let go while a key inside its hold is still down.
    std::vector<std::pair<KeyEvent::Kind, unsigned short>> held;
    for (const KeyEvent& event : events) {
        if (!event.up) {
            held.emplace_back(event.kind, event.code);
            continue;
        }
        Check(!held.empty());
        Check(held.back() == std::make_pair(event.kind, event.code));
        held.pop_back();
    }
    Check(held.empty());
    return 0;
}
