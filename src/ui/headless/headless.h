// Test-side controls of the headless toolkit backend.
#pragma once

#include <functional>
#include <string>

#include "ui/controls.h"

namespace ui::headless {

// Plays the user while a form is shown modally: called with each form that
// ShowModal opens, in order; ShowModal returns when the driver has returned
// (closing the form then if the driver left it open). Without a driver a
// modal form is closed at once.
void SetModalDriver(std::function<void(Form&)> driver);

// How often the open form's title has been written since it was opened.
int TitleWrites(const Form& form);
// How often the picture's cell has been redrawn since its form was opened.
int PictureWrites(const Picture& picture);
// How often the open form has been shown or brought to the front.
int TimesShown(const Form& form);
// The form that was shown last and is still open, or null.
Form* FrontForm();

// Types the characters into the box one by one, as a user would: each is
// announced to onKeyPress, and the box takes those that are not control
// characters.
void Type(TextBox& box, const std::wstring& characters);
// Index of the first entry in view: a list kept in memory scrolls nowhere.
int TopIndex(const ListBox& list);

}  // namespace ui::headless
