#include "ShellFixture.h"

const EngineError probeError{"FFMPEG", -1, "Not a recognized file format: notes.txt"};

// Qt paints on a thread pool of its own, synchronised with futexes that the thread sanitizer
// cannot see inside the uninstrumented Qt libraries; these tests paint nothing, so that every
// race it reports is one of the handshake's. Only the windows' own events are held back.
class ErrorSheetTest : public ShellTest, public QObject {
protected:
    ErrorSheetTest() { qApp->installEventFilter(this); }
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        return (watched->isWidgetType() || watched->isWindowType()) &&
               QList{QEvent::Expose, QEvent::UpdateRequest, QEvent::Paint}.contains(event->type());
    }
    bool sheetIsUp() { return (sheet = window.findChild<QMessageBox*>()) && sheet->isVisible(); }
    QMessageBox* sheet = nullptr;
};

TEST_F(ErrorSheetTest, WorkerWaitsUntilTheSheetIsDismissed)
{
    ErrorSheetHandshake& handshake = appDelegate->handshake();
    // The job clears dialogDone before its probe and the handler leaves it set afterwards; a
    // copy failure clears it itself, before showing and after the wait.
    const struct { const char* caller; bool dialogDoneBefore; std::function<void(bool&)> report; bool dialogDoneAfter; } callers[] = {
        {"errorCallback", false, [&](bool& failed) { handshake.errorHandler(failed)(probeError); }, true},
        {"presentJobError", true, [&](bool& failed) { handshake.presentJobError(probeError, failed); }, false},
    };
    for (const auto& c : callers) {
        SCOPED_TRACE(c.caller);
        handshake.dialogDone = c.dialogDoneBefore;
        bool failed = false, ticked = false;
        std::atomic<bool> returned{false};
        std::thread worker([&] { c.report(failed); returned = true; });
        if (spinUntil([&] { return sheetIsUp(); })) {
            EXPECT_EQ(sheet->text(), probeError.description);
            EXPECT_EQ(sheet->windowModality(), Qt::WindowModal);
            EXPECT_TRUE(failed);
            QTimer::singleShot(200, [&] { ticked = true; });
            EXPECT_TRUE(spinUntil([&] { return ticked; })) << "the GUI thread stops while the worker waits";
            EXPECT_FALSE(returned) << "the worker went on with the sheet up";
            EXPECT_FALSE(handshake.dialogDone);
            sheet->button(QMessageBox::Ok)->click();
        } else {
            ADD_FAILURE() << "no sheet";
            appDelegate->mainThread().close();
        }
        EXPECT_TRUE(spinUntil([&] { return returned.load(); }));
        worker.join();
        EXPECT_EQ(handshake.dialogDone, c.dialogDoneAfter);
        EXPECT_TRUE(spinUntil([&] { return !window.findChild<QMessageBox*>(); }));
    }
}

// At shutdown the hand-off is closed, the waiting worker leaves and the controller goes while
// its sheet may still be up; dismissing that sheet afterwards must reach nothing.
TEST_F(ErrorSheetTest, SheetOutlivingItsControllerIsHarmless)
{
    bool failed = false;
    std::thread worker([&] { appDelegate->handshake().errorHandler(failed)(probeError); });
    const bool shown = spinUntil([&] { return sheetIsUp(); });
    appDelegate->mainThread().close();
    worker.join();
    appDelegate.reset();
    ASSERT_TRUE(shown);
    sheet->button(QMessageBox::Ok)->click();
    EXPECT_TRUE(spinUntil([&] { return !window.findChild<QMessageBox*>(); }));
}
