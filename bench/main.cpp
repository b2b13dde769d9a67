#include "Figures.h"

#include <QCoreApplication>

#include <cstring>
#include <iostream>
#include <sstream>
#include <string>

namespace {

struct Figure {
    const char* name;
    FigureResult (*measure)();
};

const Figure figures[] = {
    {"transcode", transcodeFigure},
    {"parse", parseFigure},
    {"copy", copyFigure},
    {"remux", remuxFigure},
    {"quality", qualityFigure},
    {"job", jobFigure},
    {"batch", batchFigure},
    {"parallel", parallelFigure},
    {"confinement", confinementFigure},
};

} // namespace

// Prints one line per figure, "NAME ratio=X.XXX ...". Names given as arguments pick figures.
int main(int argc, char** argv)
{
    // The job figure runs its job's event loop.
    const QCoreApplication app(argc, argv);
    int failures = 0;
    for (const Figure& figure : figures) {
        bool wanted = argc < 2;
        for (int i = 1; i < argc; ++i)
            wanted = wanted || std::strcmp(argv[i], figure.name) == 0;
        if (!wanted)
            continue;
        const FigureResult result = figure.measure();
        if (result.error.empty()) {
            // A figure of several lines names itself on each.
            std::istringstream lines(result.values);
            for (std::string line; std::getline(lines, line);)
                std::cout << figure.name << ' ' << line << std::endl;
        } else {
            std::cout << figure.name << " failed: " << result.error << std::endl;
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
