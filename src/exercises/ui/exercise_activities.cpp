#include "exercises/ui/exercise_activities.h"

#include "exercises/ui/exercise_window.h"
#include "exercises/ui/score_graph_window.h"
#include "foundation/app_commands.h"
#include "foundation/frame_commands.h"
#include "foundation/standard_menus.h"

namespace lumora {

namespace {
namespace x = cmd::frame;

ActivityType exercise(ActivityTemplateId id, int resourceId, int command, int jobCode, bool starts, ExerciseKind kind) {
    ActivityDescriptor d;
    d.templateId = id;
    d.resourceId = resourceId;
    d.documentKind = DocumentKind::ExTransl;
    d.nameStringId = command;
    ActivityOpening o;
    o.command = command;
    o.jobCode = jobCode;
    // The verify views start themselves on their first update; the other two are asked to.
    o.steps = {OpenStep::CloseActive, OpenStep::Remember, OpenStep::Open};
    if (starts) o.steps.push_back(OpenStep::Start);
    d.openings = {o};
    d.menus = menus::exercise();
    d.menus.insert(d.menus.begin() + 2,
                   MenuLayout{"I&deogram", {{cmd::app::Simplified, "&Simplify"}, {cmd::app::Traditional, "&Traditional"}}});
    d.accelerators = menus::activityAccelerators();
    return {std::move(d), [kind](ActivityHost& host) { return std::make_unique<ExerciseActivity>(host, kind); }};
}

ActivityOpening graphOpening(int command, int jobCode, const char* lessonsPrefix, const char* storiesPrefix) {
    ActivityOpening o;
    o.command = command;
    o.jobCode = jobCode;
    o.file = OpenFile::ScoreText;
    o.lessonsScorePrefix = lessonsPrefix;
    o.storiesScorePrefix = storiesPrefix;
    o.steps = {OpenStep::CloseActive, OpenStep::Remember, OpenStep::Open, OpenStep::MainCaption};
    o.mainCaption = Caption::ProgramName;
    return o;
}
} // namespace

ActivityType verifyActivity() { return exercise(ActivityTemplateId::Verify, 12002, x::Verify, 9, false, ExerciseKind::Verify); }

ActivityType pictureExerciseActivity() {
    return exercise(ActivityTemplateId::PictureExercise, 13011, x::PictureExercise, 5, true, ExerciseKind::Picture);
}

ActivityType translationExerciseActivity() {
    return exercise(ActivityTemplateId::TranslationExercise, 13012, x::TranslationExercise, 6, true, ExerciseKind::Translation);
}

ActivityType scoreGraphActivity() {
    ActivityDescriptor d;
    d.templateId = ActivityTemplateId::ScoreGraph;
    d.resourceId = 10060;
    d.documentKind = DocumentKind::Graph;
    d.nameStringId = x::VerifyGraph;
    d.openings = {graphOpening(x::VerifyGraph, 10, "\\EX2", "\\EX3"), graphOpening(x::PictureGraph, 11, "\\EX4", "\\EX5"),
                  graphOpening(x::TranslationGraph, 12, "\\EX8", "\\EX9")};
    d.menus = {{"&File",
                {{cmd::app::FilePrint, "&Print..."},
                 {cmd::app::FilePrintPreview, "Print pre&view"},
                 {cmd::app::Separator, ""},
                 {cmd::app::Exit, "E&xit"}}},
               {"&Zoom", {{4001, "50 %"}, {4002, "75 %"}, {4004, "100 %"}, {4006, "200 %"}}},
               {"&Course", {{cmd::frame::LessonsList, "Course list"}}},
               menus::internet(),
               menus::help()};
    d.accelerators = menus::activityAccelerators();
    return {std::move(d), [](ActivityHost& host) { return std::make_unique<ScoreGraphActivity>(host); }};
}

} // namespace lumora
