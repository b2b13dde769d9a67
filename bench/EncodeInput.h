#pragma once

#include "TestMedia.h"

#include <QByteArray>
#include <QString>

#include <string>

// What the encoding figures start from: a 10-second 720p H.264/AAC clip in a scratch folder,
// and the ffmpeg the app itself would run. `error` says which of them could not be had.
struct EncodeInput {
    EncodeInput();

    TestMedia::TestFolder folder;
    QString clip;
    QByteArray tool;
    std::string error;
};
