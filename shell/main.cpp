#include "BatchMain.h"
#include "Launch.h"
#include "WindowMain.h"

// One program, two faces: the window, or with --batch a run without any display.
int main(int argc, char* argv[])
{
    const Launch launch = Launch::fromArguments(argc, argv);
    switch (launch.mode) {
    case Launch::Mode::Batch:
        return runBatch(argc, argv, launch.batch);
    case Launch::Mode::Window:
        return runWindow(argc, argv, launch.files);
    case Launch::Mode::Exit:
        break;
    }
    return launch.exitCode;
}
