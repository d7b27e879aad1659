// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

class QDialog;

// Shows a dialog modally. Tests install a runner that fills in and closes the dialog instead of
// waiting for a person; the runner answers what exec() would (QDialog::Accepted or Rejected).
int runDialog(QDialog& dialog);

using DialogRunner = std::function<int(QDialog&)>;
// An empty runner restores exec().
void setDialogRunner(DialogRunner runner);
