#pragma once

#include <QString>

// A hidden folder in a disc's destination, ".<title>.mpgfix-XXXXXX", in which the disc's parts
// are made. Whatever is still in it goes with it when this object goes, so a stopped or failed
// run leaves nothing behind; only what place() moved out stays.
class DiscWorkFolder {
public:
    DiscWorkFolder(const QString& destination, const QString& title);
    ~DiscWorkFolder();
    DiscWorkFolder(const DiscWorkFolder&) = delete;
    DiscWorkFolder& operator=(const DiscWorkFolder&) = delete;

    // The errno that kept the folder from being made, or 0.
    int creationError() const { return creationError_; }
    QString path() const { return path_; }
    QString filePath(const QString& name) const { return path_ + u'/' + name; }

    // Writes what was made here to the disk, so that a final name never holds less than all of
    // it; 0, or the errno that kept it.
    int flush() const;
    // Moves the entry `name` to `finalPath` in one step, unless something has that name; 0, or
    // the errno that kept it.
    int place(const QString& name, const QString& finalPath) const;
    // Takes back an entry place() moved out, so that it goes with the folder.
    void takeBack(const QString& finalPath, const QString& name) const;

private:
    QString path_;
    int creationError_ = 0;
};
