#pragma once

#include "Option.h"

#include <vector>

// Every user setting, each in one place.
namespace Options {

extern const Option folder;
extern const Option bitrate;
extern const Option standard;
extern const Option shape;
extern const Option audio;
extern const Option quality;
extern const Option nameTaken;
extern const Option reencodeAll;
extern const Option dvd;
extern const Option keepProportions;
extern const Option filesAtOnce;
extern const Option failure;

// In the order --help lists them.
const std::vector<const Option*>& all();
// Every option a job takes at its default, whoever runs it; no folder.
JobSettings defaultSettings();
// The option stored under `key`; null for none.
const Option* withKey(const QString& key);

} // namespace Options
