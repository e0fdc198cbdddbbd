#pragma once
// Plays the records of a Windows metafile (course/metafile.h) into a QPainter: window and viewport
// origins and extents under the mapping modes, pens, brushes and fonts in an object table, lines,
// polygons, rectangles, ellipses, arcs, texts and stretched bitmaps, with saved and restored
// drawing states. The player starts in a given mapping (the media control uses hundredths of a
// millimetre, y upward, window origin (0, 0) at the top-left corner of the drawing area).
#include <optional>
#include <string>

#include <QPainter>
#include <QPointF>

#include "course/metafile.h"
#include "foundation/ui/app_context.h"

namespace lumora {

struct MetafileDevice {
    QPointF origin;       // device position of viewport origin (0, 0)
    double dpiX = 96;     // pixels per inch of the device
    double dpiY = 96;
    int mapMode = 3;      // starting mapping mode: 1 text, 2 lo-metric, 3 hi-metric, 4 lo-english,
                          // 5 hi-english, 6 twips, 7 isotropic, 8 anisotropic
};

// Plays every record; the painter's state is saved before and restored after.
void playMetafile(QPainter& painter, const Metafile& metafile, const MetafileDevice& device);

// Reads the metafile file at a local path and records it as the media window draws it (hundredths
// of a millimetre at 96 dots per inch, y upward from the top-left corner of its drawing area),
// clipped to that area; nothing when the file cannot be read or is not a metafile.
std::optional<RecordedPicture> recordMediaMetafile(const std::string& localPath);

} // namespace lumora
