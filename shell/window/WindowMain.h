#pragma once

#include <QStringList>

// The window, its queue and the desktop services that follow it, until the window is closed or
// the app is told to quit; a later launch hands its files to this one. Returns the exit status.
int runWindow(int& argc, char** argv, const QStringList& files);
