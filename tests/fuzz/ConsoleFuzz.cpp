#include "ConsoleLineReader.h"
#include "ConsoleParser.h"
#include "DeliveryFormat.h"

#include <array>
#include <cmath>
#include <memory>

// The tool's console as a run reads it: the bytes through a stream and the line reader, every
// line to the parser of a probe and of a transcode, both counting frames as a transcode's. The input's name holds a line break, a
// duration and an error phrase, as a hostile file's may.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    for (const auto run : {ConsoleParser::Run::Probe, ConsoleParser::Run::Transcode}) {
        const auto check = [](double f) { std::isfinite(f) && f >= 0 ? void() : __builtin_trap(); };
        ConsoleParser parser(QStringLiteral("/in/Invalid data\n  Duration: 00:00:01.00 frame= 9.avi"), run, check,
                             DeliveryFormat::ntsc().video.printedFrameRate());
        parser.prepare() ? void() : __builtin_trap();
        const std::unique_ptr<FILE, int (*)(FILE*)> stream(fmemopen(const_cast<uint8_t*>(data), size, "r"), fclose);
        std::array<char, consoleLineBufferSize> line;
        while (readConsoleLine(line.data(), static_cast<int>(line.size()), stream.get()))
            parser.line(line.data());
        const StreamFacts& facts = parser.facts();
        if (facts.width < 0 || facts.height < 0 || facts.audioRate < 0 || parser.totalFrames() < 0 ||
            facts.videoStream.value_or(0) < 0 || facts.audioStream.value_or(0) < 0)
            __builtin_trap();
    }
    return 0;
}
