#pragma once

#include <QStringList>

class QFileDialog;

// What the user chose in `chooser`: the files it selected and, after them, any other existing
// file typed into its name field ("a.mp4" "song.m4a"). The chooser passes over a typed name its
// filter hides whenever another typed name matches a file it shows; this brings it back, so that
// the intake can say what it leaves out rather than lose it without a word.
QStringList chosenFiles(const QFileDialog& chooser, const QStringList& selected);
