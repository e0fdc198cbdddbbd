#pragma once
// A toolbar of command buttons, left to right from a list of command ids (0 for a separator); each
// button is the shared QAction of its command, so its state follows the command's targets.
#include <functional>
#include <vector>

class QAction;
class QMainWindow;
class QString;
class QToolBar;

namespace lumora {

QToolBar* addCommandToolbar(QMainWindow& window, const QString& title, const QString& objectName,
                            const std::vector<int>& ids, const std::function<QAction*(int)>& actionOf);

} // namespace lumora
