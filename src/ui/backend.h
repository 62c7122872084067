// What a toolkit backend does for the portable controls: it makes and ends
// the native windows, writes to them each change the program makes, and
// runs the loops that wait. The Win32 backend does it with windows; the
// headless one keeps nothing but what the tests ask about. The backend is
// chosen at link time.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "ui/controls.h"

namespace ui::backend {

// The state an opening of the form will keep; the form holds it from before
// its window is made until it is closed.
std::unique_ptr<NativeForm> MakeNative(Form& form);
// Makes the window, its controls and timers, hidden, before onLoad runs.
void Open(Form& form);
// Shows a form just opened, the focus on its first tab stop.
void Present(Form& form);
// Brings an open form to the front.
void BringToFront(Form& form);
// Runs until the modal form is closed (or the program is told to end), then
// calls finish, which closes it.
void WaitWhileOpen(Form& form, const std::function<void()>& finish);
// Runs the main form until it is closed.
void Run(Form& main);

// Each writes the control's or form's state to its window, if it has one.
void WriteTitle(const Form& form);
void WriteEnabled(const Form& form);
void WriteBusy(const Form& form);
void WriteInterval(const Timer& timer);
void WriteShown(const Picture& picture);
void WriteText(const TextBox& box);
void WriteEntries(const ListBox& list);
// The list had one entry added at its end.
void WriteAdded(const ListBox& list);
void WriteSelection(const ListBox& list);
void WriteSelection(const ComboBox& box);

}  // namespace ui::backend
