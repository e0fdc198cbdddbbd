#pragma once
// JSON dumps of the media files of a content tree: WAVE sounds, bitmap pictures and Windows
// metafiles. Each prints one JSON document to `out` and returns 0; a file that cannot be read is
// reported as one line "<path>: <fault>: <detail>" on `err` and gives 1, the fault being one of
// missing, truncated, unsupported or corrupt ("x.wav: unsupported: format tag 3 is not PCM").
#include <ostream>
#include <string>

namespace lumora::content {

// {"format":1,"channels":1,"rate":11025,"bytesPerSecond":11025,"blockAlign":1,"bits":8,
//  "dataSize":...,"samples":...,"head":[the first 16 samples on the signed 16-bit scale]}
int dumpWave(const std::string& path, std::ostream& out, std::ostream& err);
// {"width":...,"height":...,"bits":...,"colours":...,"headerSize":40,"dataSize":...}
int dumpBitmap(const std::string& path, std::ostream& out, std::ostream& err);
// {"placeable":true,"bounds":[l,t,r,b],"unitsPerInch":1440,"version":768,"objects":n,
//  "records":[{"type":"SETWINDOWORG","x":0,"y":0}, ...]}; texts and face names are written byte
// for byte (each byte as the code point of the same value).
int dumpMetafile(const std::string& path, std::ostream& out, std::ostream& err);

} // namespace lumora::content
