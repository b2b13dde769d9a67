#pragma once

#include "StreamFacts.h"

#include <QObject>
#include <QStringList>

#include <thread>
#include <vector>

// Probes files one after another off the GUI thread, so that a window learns what they hold
// without waiting on the tool. Going, it stops the probes under way and waits for them.
class FactsProbe : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;
    ~FactsProbe() override = default;

    // Probes `files` in order, beside those asked for before; probed() follows for each.
    void probe(const QStringList& files);

signals:
    // Sent from the probing thread: connect it with a receiver in another.
    void probed(const QString& path, const StreamFacts& facts);

private:
    // Last, so that they are stopped and joined while the rest still exists.
    std::vector<std::jthread> threads_;
};
