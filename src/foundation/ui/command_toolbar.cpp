#include "foundation/ui/command_toolbar.h"

#include <QMainWindow>
#include <QToolBar>

#include "foundation/app_commands.h"

namespace lumora {

QToolBar* addCommandToolbar(QMainWindow& window, const QString& title, const QString& objectName,
                            const std::vector<int>& ids, const std::function<QAction*(int)>& actionOf) {
    auto* bar = new QToolBar(title, &window);
    bar->setObjectName(objectName);
    bar->setIconSize(QSize(24, 24));
    bar->setAllowedAreas(Qt::AllToolBarAreas);
    for (int id : ids) {
        if (id == cmd::app::Separator)
            bar->addSeparator();
        else
            bar->addAction(actionOf(id));
    }
    window.addToolBar(Qt::TopToolBarArea, bar);
    return bar;
}

} // namespace lumora
