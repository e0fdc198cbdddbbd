#pragma once
// One behaviour for every settings store: the in-memory store of the tests and the QSettings store
// of the program run the same suite. A test file instantiates it with a factory:
//   INSTANTIATE_TYPED_TEST_SUITE_P(Memory, SettingsStoreContract, MemoryFactory);
#include <gtest/gtest.h>

#include <memory>

#include "foundation/settings_store.h"

template <typename Factory>
class SettingsStoreContract : public ::testing::Test {
protected:
    void SetUp() override { store = factory.make(); }
    // A second store on the same persistent data (the same object for an in-memory store).
    lumora::SettingsStore& reopened() { return factory.reopen(*store); }
    Factory factory;
    std::unique_ptr<lumora::SettingsStore> store;
};

TYPED_TEST_SUITE_P(SettingsStoreContract);

TYPED_TEST_P(SettingsStoreContract, FreshStoreReturnsDefaultsAndWritesNothing) {
    auto& s = *this->store;
    EXPECT_EQ(s.readInt("Course", "Lesson", 7), 7);
    EXPECT_EQ(s.readString("CDROM", "Drive", "D:"), "D:");
    std::uint8_t buf[4] = {9, 9, 9, 9};
    EXPECT_EQ(s.readBinary("Font", "User", buf, 4), 0u);
    const std::uint8_t def[4] = {1, 2, 3, 4};
    EXPECT_EQ(s.readBinary("Font", "User", buf, 4, def), 4u);
    EXPECT_EQ(buf[3], 4);
    // The defaults were not written back.
    EXPECT_EQ(s.readInt("Course", "Lesson", 3), 3);
    EXPECT_FALSE(s.readBlock("Font", "User").has_value());
}

TYPED_TEST_P(SettingsStoreContract, ValuesSurviveAndKindsAreKept) {
    auto& s = *this->store;
    ASSERT_TRUE(s.writeInt("Course", "Lesson", -12));
    ASSERT_TRUE(s.writeString("Course", "SysDir", "/opt/lumora/bin/"));
    ASSERT_TRUE(s.writeString("TRANSL_VIET", "FontTranslate", "UHo\xC3\xA0i 1.1"));
    const std::uint8_t block[6] = {0, 1, 0xFF, 0x80, 0, 7};
    ASSERT_TRUE(s.writeBinary("Color", "User", block, sizeof block));

    auto& r = this->reopened();
    EXPECT_EQ(r.readInt("Course", "Lesson", 0), -12);
    EXPECT_EQ(r.readString("Course", "SysDir", ""), "/opt/lumora/bin/");
    EXPECT_EQ(r.readString("TRANSL_VIET", "FontTranslate", ""), "UHo\xC3\xA0i 1.1");
    std::uint8_t out[6] = {};
    EXPECT_EQ(r.readBinary("Color", "User", out, 6), 6u);
    EXPECT_EQ(std::vector<std::uint8_t>(out, out + 6), std::vector<std::uint8_t>(block, block + 6));
    // A shorter read takes the first bytes; a longer one reports what was stored.
    std::uint8_t big[10] = {};
    EXPECT_EQ(r.readBinary("Color", "User", big, 10), 6u);
    // A value of another kind reads as the default.
    EXPECT_EQ(r.readString("Color", "User", "none"), "none");
    EXPECT_EQ(r.readInt("Color", "User", 5), 5);
    EXPECT_FALSE(r.readBlock("Course", "Lesson").has_value());
}

TYPED_TEST_P(SettingsStoreContract, OverwriteReplacesAndNonNumericIntReadsDefault) {
    auto& s = *this->store;
    s.writeString("Write", "Write", "YES");
    s.writeString("Write", "Write", "NO");
    EXPECT_EQ(s.readString("Write", "Write", ""), "NO");
    s.writeString("Lesson", "Timer", "fast");
    EXPECT_EQ(s.readInt("Lesson", "Timer", 5000), 5000);
    s.writeInt("Lesson", "Timer", 2500);
    EXPECT_EQ(this->reopened().readInt("Lesson", "Timer", 5000), 2500);
}

REGISTER_TYPED_TEST_SUITE_P(SettingsStoreContract, FreshStoreReturnsDefaultsAndWritesNothing,
                            ValuesSurviveAndKindsAreKept, OverwriteReplacesAndNonNumericIntReadsDefault);
