#pragma once

#include <QStringList>

// ffmpeg's options for an input that is read as one video file and nothing else, to go before
// its "-i": ffmpeg picks a reader by a file's content, not its name, and some readers follow
// names in the file to other files (an HLS playlist, a concat list, an image sequence) or open a
// device. Only the file protocol, and only the readers of containers and of raw video streams
// that read the one file they are given, are allowed; any other stops ffmpeg with "Format not
// on whitelist".
QStringList singleVideoInputOptions();
