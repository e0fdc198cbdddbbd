// The sample course of content/ as the test run built it once with the real tool (media included, no
// CC-CEDICT, the sample_course_build test): it passes the tool's check and both dictionary scans agree.
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

TEST(SampleCourse, PassesCheckAndBothScansAgree) {
    const fs::path content = fs::path(LUMORA_SOURCE_DIR) / "content";
    if (!fs::is_directory(content / "lessons")) GTEST_SKIP() << "no sample course in " << content;
    const fs::path tree = LUMORA_SAMPLE_COURSE;
    ASSERT_TRUE(fs::exists(tree / "DATA" / "WIN32" / "LISTE.DAT")) << "run the sample_course_build test first";
    const ToolRun check = runTool({"check", QString::fromStdString(tree.string())});
    EXPECT_EQ(check.exitCode, 0) << check.out;
    EXPECT_EQ(check.out.rfind("ok: ", 0), 0u) << check.out;
    // The sample course's dictionaries: both scans of the program give the same lines.
    EXPECT_EQ(expectScansAgree(tree / "DATA" / "WIN32"), 16);
}

} // namespace
} // namespace lumora::content
