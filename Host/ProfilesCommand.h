// The profile management window seen from tintdialog.
#pragma once

#include "PrintDialog.h"

#include <string>

class QWidget;

// Opens the profile management window from the loaded panel's "Management
// Profile" button (view is the panel's view), renders it with the
// destination profiles shown into the PNG file and closes it with Cancel.
// kTintDialogSuccess, or kTintDialogFailure with a one-line *error.
int ProfilesWindowScreenshot(PrintDialog &dialog, QWidget *view, const std::string &file, std::string *error);
