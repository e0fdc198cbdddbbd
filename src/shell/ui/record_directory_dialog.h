#pragma once
// "Save your data into ...": a folder chooser that stores the learner's data folder. A folder that
// cannot be written is refused with a message at once; Cancel writes nothing.
#include <QString>

class QWidget;

namespace lumora {

class AppContext;

// Runs the chooser modally and stores the choice.
void runRecordDirectoryDialog(AppContext& context, QWidget* parent);
// Stores a folder chosen (empty: cancelled) and tells the learner when it cannot be written.
void applyRecordDirectoryChoice(AppContext& context, const QString& chosen);

} // namespace lumora
