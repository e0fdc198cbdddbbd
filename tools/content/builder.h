#pragma once
// `lumora-content build`: turns the UTF-8 course sources into a content tree.
//
// Everything is read and checked first; on any problem the messages are printed ("file:line: what")
// and nothing is written. The build is incremental: OUT/.lumora-build.json records, for every file
// written, a hash of what it was made from; a later run makes again only the files whose inputs
// changed or that are missing, and removes the files an earlier run wrote that are no longer part of
// the course. Voices, videos and metafiles are made by `jobs` parallel workers; the ideogram pictures
// are drawn on the calling thread, which must own the QGuiApplication.
#include <filesystem>
#include <ostream>

namespace lumora::content {

struct BuildOptions {
    std::filesystem::path source;
    std::filesystem::path out;
    bool cedict = false;
    int jobs = 2;
};

int runBuild(const BuildOptions& options, std::ostream& out, std::ostream& err);

// The name of the manifest file in the output folder.
inline constexpr const char* kManifestName = ".lumora-build.json";

} // namespace lumora::content
