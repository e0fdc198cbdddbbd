#pragma once
// Command ids of the dictionary.
namespace lumora::cmd::dictionary {
constexpr int ExportAs = 28685;
} // namespace lumora::cmd::dictionary
