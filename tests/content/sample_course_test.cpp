// Builds the sample course of content/ with the real tool (media included, no CC-CEDICT) and checks
// the tree. It takes about a minute; filter it out with --gtest_filter=-SampleCourse.* when only the
// fast tests are wanted.
#include <QProcess>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "content/dictionary_differential.h"
#include "content/tool_run.h"
#include "core/test_support.h"

namespace fs = std::filesystem;

namespace lumora::content {
namespace {

TEST(SampleCourse, BuildsAndPassesCheck) {
    const fs::path content = fs::path(LUMORA_SOURCE_DIR) / "content";
    if (!fs::is_directory(content / "lessons")) GTEST_SKIP() << "no sample course in " << content;
    test::TempDir tmp;
    const QString out = QString::fromStdString((tmp.path() / "tree").string());
    const ToolRun build = runTool({"build", QString::fromStdString(content.string()), out});
    ASSERT_EQ(build.exitCode, 0) << build.err
                                 << build.out.substr(build.out.size() > 4000 ? build.out.size() - 4000 : 0);
    const ToolRun check = runTool({"check", out});
    EXPECT_EQ(check.exitCode, 0) << check.out;
    EXPECT_EQ(check.out.rfind("ok: ", 0), 0u) << check.out;
    // The sample course's dictionaries: both scans of the program give the same lines.
    EXPECT_EQ(expectScansAgree(tmp.path() / "tree" / "DATA" / "WIN32"), 16);
}

} // namespace
} // namespace lumora::content
