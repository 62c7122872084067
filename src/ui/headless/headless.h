// Test-side controls of the headless toolkit backend.
#pragma once

#include <functional>

#include "ui/controls.h"

namespace ui::headless {

// Plays the user while a form is shown modally: called with each form that
// ShowModal opens, in order; ShowModal returns when the driver has returned
// (closing the form then if the driver left it open). Without a driver a
// modal form is closed at once.
void SetModalDriver(std::function<void(Form&)> driver);

// How often the form's title has been written.
int TitleWrites(const Form& form);
// How often the form has been shown or brought to the front.
int TimesShown(const Form& form);
// The form that was shown last and is still open, or null.
Form* FrontForm();

}  // namespace ui::headless
