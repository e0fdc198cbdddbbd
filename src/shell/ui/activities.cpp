#include "shell/ui/activities.h"

#include "course/ui/course_activities.h"
#include "dictionary/ui/dictionary_activity.h"
#include "exercises/ui/exercise_activities.h"
#include "shell/ui/list_activities.h"
#include "shell/ui/main_frame.h"
#include "voice/ui/voice_activity.h"

namespace lumora {

std::vector<ActivityType> activityTypes() {
    return {
        lessonsListActivity(),
        storiesListActivity(),
        courseActivity(),
        keyboardLearningActivity(),
        voiceStudioActivity(),
        dictionaryActivity(),
        verifyActivity(),
        pictureExerciseActivity(),
        translationExerciseActivity(),
        scoreGraphActivity(),
    };
}

void registerActivities(CMainFrame& frame) {
    for (ActivityType& type : activityTypes()) frame.registerActivity(std::move(type));
}

} // namespace lumora
