#pragma once

#include <QString>

#include <chrono>
#include <stop_token>

// What an encoder says it is: the first line of `<program> -version` ("ffmpeg version 5.1.6-0+deb12u1
// Copyright ..."), or an empty string when it cannot be run or says nothing within `limit`, or
// `quit` is requested first. The tool is ended as soon as it has answered, at the limit or at
// quit, whatever it does then. Blocks while the tool starts and answers: keep it off the GUI thread.
QString askToolVersion(const QString& program, std::chrono::milliseconds limit = std::chrono::seconds(5),
                       std::stop_token quit = {});
// The tool's name and release from such a line: "ffmpeg 5.1.6" (a distribution's build number
// and the copyright left out); a line of another shape as it is.
QString shortToolVersion(const QString& banner);
