#include <QCoreApplication>

#include <gtest/gtest.h>

// The hand-offs need a GUI-thread event loop; the tests spin it while workers run.
int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
