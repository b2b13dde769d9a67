#pragma once

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
