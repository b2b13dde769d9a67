#pragma once

#include <QString>

// What an encoder says it is: the first line of `<program> -version` ("ffmpeg version 5.1.6-0+deb12u1
// Copyright ..."), or an empty string when it cannot be run or says nothing. Blocks while the
// tool starts and answers.
QString askToolVersion(const QString& program);
