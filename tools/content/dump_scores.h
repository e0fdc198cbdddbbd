#pragma once
// JSON dumps of a learner's exercise files, so that authors and support can read them.
#include <ostream>
#include <string>

namespace lumora::content {

// {"records":[{"label":...,"day":...,"month":...,"year":...,"hour":...,"minute":...,"second":...,
//  "pool":...,"good":...,"answered":...,"rate":...}, ...]}: a score history, the numbers as
// stored, the rate as the listing computes it. A partial record at the end is not shown.
int dumpScores(const std::string& path, std::ostream& out, std::ostream& err);
// {"items":[{"from":...,"to":...,"sound":...,"media":...,"lesson":...,"picture":...}, ...]}: a
// question pool. Texts are shown as Western text (the pool does not say its languages).
// The from side is decoded with the From language's codec, the to side with the To language's
// (a pool does not say its languages: the exercise's settings section does).
int dumpPool(const std::string& path, int fromLanguage, int toLanguage, std::ostream& out, std::ostream& err);

} // namespace lumora::content
