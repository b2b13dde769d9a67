#pragma once

#include <QLabel>

// A line under the list saying how many files of the last intake were not videos and were left
// out, with their names in its tooltip; hidden while the last intake left nothing out.
class LeftOutNote : public QLabel {
    Q_OBJECT

public:
    explicit LeftOutNote(QWidget* parent = nullptr);

    // A new intake begins: what the one before left out is no longer news.
    void clear();
    // Adds `files` to what this intake left out.
    void add(const QStringList& files);

private:
    QStringList files_;
};
