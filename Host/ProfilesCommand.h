// The profile management window seen from tintdialog.
#pragma once

#include "PrintDialog.h"

#include <string>

class QWidget;

// Prepares the profile management window as the loaded panel's "Management
// Profile" button opens it (view is the panel's view), renders it with the
// destination profiles shown into the PNG file and hides it again.
// kTintDialogSuccess, or kTintDialogFailure with a one-line *error.
int ProfilesWindowScreenshot(PrintDialog &dialog, QWidget *view, const std::string &file, std::string *error);
