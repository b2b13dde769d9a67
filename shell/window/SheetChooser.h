#pragma once

#include "FolderIntake.h"

#include <QCoreApplication>
#include <QFileDialog>

// A file chooser as a sheet on `window`, gone once closed; the caller connects to its choice
// and opens it.
inline QFileDialog* sheetChooser(QWidget* window, const QString& title, const QString& folder,
                                 QFileDialog::FileMode mode)
{
    auto* chooser = new QFileDialog(window, title, folder);
    chooser->setFileMode(mode);
    chooser->setOption(QFileDialog::ShowDirsOnly, mode == QFileDialog::Directory);
    chooser->setWindowModality(Qt::WindowModal);
    chooser->setAttribute(Qt::WA_DeleteOnClose);
    return chooser;
}

// A chooser of video files as a sheet on `window`: "Video files (*.mp4 *.mkv ...)", the files a
// folder would give, then every file.
inline QFileDialog* videoFilesChooser(QWidget* window, const QString& title, const QString& folder)
{
    QFileDialog* chooser = sheetChooser(window, title, folder, QFileDialog::ExistingFiles);
    chooser->setNameFilters(
        {QCoreApplication::translate("SheetChooser", "Video files (%1)").arg(videoNamePatterns().join(u' ')),
         QCoreApplication::translate("SheetChooser", "All files (*)")});
    return chooser;
}
