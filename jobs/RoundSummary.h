#pragma once

#include "RoundTally.h"

#include <QString>

// A round in words, each ended file counted once by how it ended and only the kinds that
// happened named: "6 of 8 finished: 3 fixed, 1 copied, 1 failed, 1 skipped".
QString roundSummary(const RoundTally& tally);
