#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <sys/stat.h>

#include "platform/qt_settings_store.h"
#include "settings_contract.h"

namespace {

// The file's inode: QSettings replaces the whole file on every save.
std::uintmax_t fileId(const QString& file) {
    struct stat st {};
    return ::stat(file.toLocal8Bit().constData(), &st) == 0 ? static_cast<std::uintmax_t>(st.st_ino) : 0;
}

struct QtFactory {
    QTemporaryDir dir;
    std::unique_ptr<lumora::SettingsStore> second;
    QString path() const { return dir.path() + QStringLiteral("/settings.ini"); }
    std::unique_ptr<lumora::SettingsStore> make() { return lumora::openSettingsFile(path()); }
    // A new store on the same file: what a later run of the program sees.
    lumora::SettingsStore& reopen(lumora::SettingsStore&) {
        second = lumora::openSettingsFile(path());
        return *second;
    }
};

} // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(QSettingsIni, SettingsStoreContract, QtFactory);

TEST(QtSettingsStore, EnvironmentVariableNamesTheFileAndWritesLandAtOnce) {
    QTemporaryDir dir;
    const QString file = dir.path() + QStringLiteral("/learner.ini");
    qputenv("LUMORA_SETTINGS", file.toLocal8Bit());
    auto store = lumora::openSettingsStore();
    qunsetenv("LUMORA_SETTINGS");
    EXPECT_EQ(store->fileName(), file);
    store->writeString("Course", "SysDir", "/usr/bin/");
    // Written before the store is gone: another reader sees it now.
    QSettings raw(file, QSettings::IniFormat);
    EXPECT_EQ(raw.value(QStringLiteral("Course/SysDir")).toString(), QStringLiteral("/usr/bin/"));
}

TEST(QtSettingsStore, UnwritableFileReportsFailure) {
    auto store = lumora::openSettingsFile(QStringLiteral("/proc/lumora-cannot-write/settings.ini"));
    EXPECT_FALSE(store->writeInt("Course", "Lesson", 1));
}

TEST(QtSettingsStore, RewritingTheStoredValueLeavesTheFileAlone) {
    QTemporaryDir dir;
    const QString file = dir.path() + QStringLiteral("/settings.ini");
    auto store = lumora::openSettingsFile(file);
    const auto inode = [&] { return fileId(file); };
    ASSERT_TRUE(store->writeString("Debug", "Hauteur", "768"));
    const auto first = inode();
    ASSERT_NE(first, 0u);
    EXPECT_TRUE(store->writeString("Debug", "Hauteur", "768"));
    EXPECT_EQ(inode(), first); // not rewritten
    EXPECT_TRUE(store->writeString("Debug", "Hauteur", "1024"));
    EXPECT_NE(inode(), first); // a new value replaces the file
    EXPECT_EQ(lumora::openSettingsFile(file)->readString("Debug", "Hauteur", ""), "1024");
}

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
