#pragma once

#include <QByteArray>
#include <QStringList>

// Runs `tool` with `arguments` as a shell-less caller would, its console thrown away, and
// waits for it; true on exit status 0. The baseline that the figures compare against.
bool runBareTool(const QByteArray& tool, const QStringList& arguments);
