#include "FactsProbe.h"

#include "VideoProcessor.h"

#include <stop_token>

void FactsProbe::probe(const QStringList& files)
{
    threads_.emplace_back([this, files](const std::stop_token& stop) {
        for (const QString& file : files) {
            VideoProcessor processor(file);
            const std::stop_callback stopProbe(stop, [&processor] { processor.requestStop(); });
            const StreamFacts facts = processor.loadInformation();
            if (stop.stop_requested())
                return;
            emit probed(file, facts);
        }
    });
}
