#include "WindowFixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <atomic>
#include <thread>

namespace {

const EngineError probeError{QStringLiteral("FFMPEG"), -1,
                             QStringLiteral("Not a recognized file format: notes.txt")};

// Qt paints on a thread pool of its own, synchronised with futexes that the thread sanitizer
// cannot see inside the uninstrumented Qt libraries; these tests paint nothing, so that every
// race it reports is one of the handshake's. Only the windows' own events are looked at.
class NoPainting : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!watched->isWidgetType() && !watched->isWindowType())
            return false;
        return event->type() == QEvent::Expose || event->type() == QEvent::UpdateRequest ||
               event->type() == QEvent::Paint;
    }
};

class ErrorSheetTest : public LaunchedWindow {
protected:
    void SetUp() override
    {
        qApp->installEventFilter(&noPainting);
        LaunchedWindow::SetUp();
    }
    void TearDown() override { qApp->removeEventFilter(&noPainting); }

    QMessageBox* waitForSheet()
    {
        QMessageBox* sheet = nullptr;
        spinUntil([&] {
            sheet = window->findChild<QMessageBox*>();
            return sheet && sheet->isVisible();
        });
        return sheet;
    }

    NoPainting noPainting;
};

// Counts timer ticks on the GUI thread for `ms`: the loop runs while a worker waits.
int ticksDuring(int ms)
{
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start(10);
    spinFor(ms);
    return ticks;
}

TEST_F(ErrorSheetTest, WorkerWaitsUntilTheSheetIsDismissed)
{
    using Report = std::function<void(ErrorSheetHandshake&, bool& failed)>;
    const struct {
        const char* caller;
        bool dialogDoneBefore;
        Report report;
        bool dialogDoneAfter;
    } callers[] = {
        // The job clears dialogDone before its probe; the handler leaves it set afterwards.
        {"errorCallback", false,
         [](ErrorSheetHandshake& h, bool& failed) { h.errorHandler(failed)(probeError); }, true},
        // A copy failure clears it itself, before showing and after the wait.
        {"presentJobError", true,
         [](ErrorSheetHandshake& h, bool& failed) { h.presentJobError(probeError, failed); }, false},
    };
    ErrorSheetHandshake& handshake = appDelegate->handshake();
    for (const auto& c : callers) {
        SCOPED_TRACE(c.caller);
        handshake.dialogDone = c.dialogDoneBefore;
        bool failed = false;
        std::atomic<bool> returned{false};
        std::thread worker([&] {
            c.report(handshake, failed);
            returned = true;
        });

        QMessageBox* sheet = waitForSheet();
        if (sheet) {
            EXPECT_EQ(sheet->text(), probeError.description);
            EXPECT_EQ(sheet->icon(), QMessageBox::Critical);
            EXPECT_EQ(sheet->windowTitle(), "mpgfix");
            EXPECT_EQ(sheet->windowModality(), Qt::WindowModal);
            EXPECT_TRUE(failed);
            EXPECT_GT(ticksDuring(300), 10) << "the GUI thread kept running";
            EXPECT_FALSE(returned) << "the worker went on with the sheet up";
            EXPECT_FALSE(handshake.dialogDone);
            sheet->button(QMessageBox::Ok)->click();
        } else {
            ADD_FAILURE() << "no sheet";
            appDelegate->mainThread().close();
        }
        EXPECT_TRUE(spinUntil([&] { return returned.load(); }));
        worker.join();
        EXPECT_TRUE(failed);
        EXPECT_EQ(handshake.dialogDone, c.dialogDoneAfter);
        EXPECT_TRUE(spinUntil([&] { return !window->findChild<QMessageBox*>(); }));
    }
}

// At shutdown the hand-off is closed, the waiting worker leaves and the controller goes while
// its sheet may still be up; dismissing that sheet afterwards must reach nothing.
TEST_F(ErrorSheetTest, SheetOutlivingItsControllerIsHarmless)
{
    bool failed = false;
    std::thread worker([&] { appDelegate->handshake().errorHandler(failed)(probeError); });
    QMessageBox* sheet = waitForSheet();
    appDelegate->mainThread().close();
    worker.join();
    appDelegate.reset();

    ASSERT_NE(sheet, nullptr);
    sheet->button(QMessageBox::Ok)->click();
    EXPECT_TRUE(spinUntil([&] { return !window->findChild<QMessageBox*>(); }));
    EXPECT_TRUE(failed);
}

} // namespace
