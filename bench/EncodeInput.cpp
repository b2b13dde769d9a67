#include "EncodeInput.h"

#include "ToolLocator.h"

#include <QFile>

EncodeInput::EncodeInput() : clip(folder.filePath("clip.mp4"))
{
    const std::optional<QString> found = ToolLocator::forThisProcess().locate();
    if (!TestMedia::makeClip(clip, TestMedia::h264AacMono(1280, 720, 10.0)))
        error = "could not make the 10-second 720p clip";
    else if (!found)
        error = "no ffmpeg beside the app or on PATH";
    else
        tool = QFile::encodeName(*found);
}
