#include "WindowFixture.h"
#include "WQDragView.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

namespace {

// The controller with its intake recorded instead of queued.
class RecordingAppDelegate : public AppDelegate {
public:
    using AppDelegate::AppDelegate;
    void openFiles(const QStringList& paths) override { handedOver << paths; }
    QList<QStringList> handedOver;
};

class DragViewTest : public EmptyStore {
protected:
    void SetUp() override
    {
        EmptyStore::SetUp();
        appDelegate.initQueue();
        view = window.findChild<WQDragView*>();
        ASSERT_NE(view, nullptr);
    }

    bool enter(const QMimeData& data)
    {
        QDragEnterEvent event(view->rect().center(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(view, &event);
        return event.isAccepted();
    }
    void leave()
    {
        QDragLeaveEvent event;
        QApplication::sendEvent(view, &event);
    }
    void drop(const QMimeData& data)
    {
        QDropEvent event(QPointF(view->rect().center()), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(view, &event);
    }

    static std::unique_ptr<QMimeData> files(const QStringList& paths)
    {
        auto data = std::make_unique<QMimeData>();
        QList<QUrl> urls;
        for (const QString& path : paths)
            urls << QUrl::fromLocalFile(path);
        data->setUrls(urls);
        return data;
    }

    MainWindow window;
    RecordingAppDelegate appDelegate{window};
    WQDragView* view = nullptr;
};

}

TEST_F(DragViewTest, ADropHandsItsFilesOverOnceInTheirOrder)
{
    const QStringList paths{"/clips/b.mov", "/clips/a folder", "/clips/c.avi"};
    const auto data = files(paths);
    ASSERT_TRUE(enter(*data));
    EXPECT_EQ(view->files(), paths);
    drop(*data);
    EXPECT_EQ(appDelegate.handedOver, QList<QStringList>{paths});

    // A later drag that only passes over the view must not hand the earlier drop over again.
    ASSERT_TRUE(enter(*files({"/clips/d.mp4"})));
    leave();
    EXPECT_EQ(appDelegate.handedOver.size(), 1);
    EXPECT_TRUE(view->files().isEmpty());
}

TEST_F(DragViewTest, DragsWithoutLocalFilesAreRefused)
{
    QMimeData text;
    text.setText("just some words");
    QMimeData web;
    web.setUrls({QUrl("https://example.org/clip.mp4")});
    for (const QMimeData* data : {&text, &web}) {
        EXPECT_FALSE(enter(*data));
        drop(*data);
    }
    EXPECT_TRUE(appDelegate.handedOver.isEmpty());
    EXPECT_TRUE(view->files().isEmpty());
}
