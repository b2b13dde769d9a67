#pragma once

#include <QFontMetrics>
#include <QString>

// A file name that fits `width` pixels in `metrics`' font, shortened in the middle so that its
// start and its extension stay readable: "party_full_rec…ches.mp4". A name that fits is kept.
QString elideFileName(const QString& name, const QFontMetrics& metrics, int width);
// The last component of a path, trailing slashes aside: "/srv/Tom & Jerry/" gives "Tom & Jerry".
QString lastPathComponent(const QString& path);
// `text` with invisible break opportunities after slashes, underscores, dashes and dots, and
// within any longer run without one, so that a long path or name wraps rather than widens.
QString withBreakOpportunities(const QString& text);
