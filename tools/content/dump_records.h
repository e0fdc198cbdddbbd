#pragma once
// JSON dumps of the record files of a content tree: catalogues, lesson data files and dictionaries.
// Texts are decoded with the codec of their language or font; with `raw`, every byte is written
// as the Unicode code point of the same value.
#include <ostream>
#include <string>

namespace lumora::content {

// {"entries":[{"index":0,"french":...,"english":...,"german":...,"spanish":...,"khmer":...,
//  "thai":...,"vietnamese":...,"stem":...}, ...]}; a missing file gives no entries.
int dumpCatalogue(const std::string& path, bool raw, std::ostream& out, std::ostream& err);
// {"pages":[{"page":0,"phrases":[{"phrase":1,"text":...,"phonetic":...,"french":...,...,
//  "vietnamese":...,"sound":...,"media":...}, ...four slots]}, ...whole pages]}
int dumpLesson(const std::string& path, bool raw, std::ostream& out, std::ostream& err);
// {"entries":[{"index":0,"source":...,"target":...,"sound":...,"media":...,"lesson":...,
//  "mandarinSource":...,"mandarinTarget":...,"picture":...}, ...]}; the languages are taken from
// the file name (XXYY.DIC), Western when it names none.
int dumpDictionary(const std::string& path, bool raw, std::ostream& out, std::ostream& err);

} // namespace lumora::content
