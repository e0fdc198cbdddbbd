#include <gtest/gtest.h>

#include "settings_contract.h"

namespace {

struct MemoryFactory {
    std::unique_ptr<lumora::SettingsStore> make() { return std::make_unique<lumora::MemorySettingsStore>(); }
    lumora::SettingsStore& reopen(lumora::SettingsStore& s) { return s; }
};

} // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Memory, SettingsStoreContract, MemoryFactory);

TEST(MemorySettingsStore, NamesIgnoreCaseAsTheRegistryDoes) {
    lumora::MemorySettingsStore s;
    s.writeInt("Course", "Lesson", 4);
    EXPECT_EQ(s.readInt("COURSE", "lesson", 0), 4);
}
