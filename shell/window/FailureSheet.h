#pragma once

#include "JobOutcome.h"

#include <QMessageBox>

// A failed or skipped file as desktop message boxes show a problem: a short headline that names
// the file, then the reason and the full path, wrapped within a sheet that fits the screen.
// Not modal: a window that a modal dialog blocks never hears the window system's close request,
// and the user must be able to quit while failures follow one another. Ctrl+Q on the sheet asks
// the window to close, as the window's own Quit would. Opened over `window`, gone once closed;
// the caller connects to its finished().
QMessageBox* openFailureSheet(QWidget* window, const JobOutcome& outcome, const QString& path);
