#include "ShellFixture.h"

using DragViewTest = ShellTest;

// Drags in a row over the launched window's view, each carrying some text as well: a drag
// holds its local files while it is over the view and ends in a drop or by leaving; only the
// drop of files hands anything over, once, in the drag's order.
TEST_F(DragViewTest, OnlyADropOfFilesHandsThemOverOnceInTheirOrder)
{
    const QStringList dropped{"/clips/b.mov", "/clips/a folder", "/clips/c.avi"};
    const struct { const char* drag; QStringList urls, held; bool drops; } drags[] = {
        {"three files dropped", {"file:///clips/b.mov", "file:///clips/a folder", "file:///clips/c.avi"}, dropped, true},
        {"a file that passes over and leaves", {"file:///clips/d.mp4"}, {"/clips/d.mp4"}, false},
        {"plain text dropped", {}, {}, true},
        {"a web address dropped", {"https://example.org/clip.mp4"}, {}, true},
    };
    WQDragView* view = appDelegate->dragView();
    for (const auto& d : drags) {
        SCOPED_TRACE(d.drag);
        QMimeData data;
        data.setText("just some words");
        data.setUrls(QUrl::fromStringList(d.urls));
        QDragEnterEvent enter(view->rect().center(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(view, &enter);
        EXPECT_EQ(enter.isAccepted(), !d.held.isEmpty()) << "refused without local files";
        EXPECT_EQ(view->files(), d.held);
        QDropEvent drop(QPointF(view->rect().center()), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QDragLeaveEvent leave;
        QApplication::sendEvent(view, d.drops ? static_cast<QEvent*>(&drop) : &leave);
        EXPECT_TRUE(view->files().isEmpty());
        EXPECT_EQ(appDelegate->handedOver, QList<QStringList>{dropped});
    }
}
