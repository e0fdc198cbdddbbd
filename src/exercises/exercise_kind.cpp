#include "exercises/exercise_kind.h"

#include "foundation/app_settings.h"

namespace lumora {

namespace {
const ExerciseKindRow kRows[] = {
    {ExerciseKind::Verify, 9, 10, "Acquis", "\\EX2", "\\EX3", 1460, 1465},
    {ExerciseKind::Picture, 5, 11, "ExPicture", "\\EX4", "\\EX5", 1470, 1475},
    {ExerciseKind::Translation, 6, 12, "ExTranslate", "\\EX8", "\\EX9", 1480, 1485},
};
} // namespace

const ExerciseKindRow& kindRow(ExerciseKind kind) {
    for (const ExerciseKindRow& r : kRows)
        if (r.kind == kind) return r;
    return kRows[0];
}

std::optional<ExerciseKind> kindOfJob(int jobCode) {
    for (const ExerciseKindRow& r : kRows)
        if (r.jobCode == jobCode) return r.kind;
    return std::nullopt;
}

std::optional<ExerciseKind> kindOfGraphJob(int jobCode) {
    for (const ExerciseKindRow& r : kRows)
        if (r.graphJobCode == jobCode) return r.kind;
    return std::nullopt;
}

ExerciseFiles exerciseFiles(const SettingsStore& store, ExerciseKind kind) {
    const ExerciseKindRow& row = kindRow(kind);
    const std::string d = AppSettings::kUserDrive.read(store);
    const bool stories = AppSettings::kCatalogue.read(store) != "NO";
    const std::string base = d + (stories ? row.storiesName : row.lessonsName) + "GB";
    return {base + ".MEM", base + ".DAT", base + ".GRA", base + ".TXT", d + "\\NULL.GRA"};
}

ExerciseRandom& programRandom() {
    static ExerciseRandom random;
    return random;
}

} // namespace lumora
