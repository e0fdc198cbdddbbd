#pragma once
// Runs the built content tool as a separate process, the way a course author does.
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <map>
#include <string>

namespace lumora::content {

struct ToolRun {
    int exitCode = -1; // -1: it crashed or did not finish in time
    std::string out;
    std::string err;
};

inline ToolRun runTool(const QStringList& args, const std::map<QString, QString>& env = {},
                       int timeoutMs = 20 * 60 * 1000) {
    ToolRun r;
    QProcess proc;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const auto& [k, v] : env)
        environment.insert(k, v);
    proc.setProcessEnvironment(environment);
    proc.start(QString::fromUtf8(LUMORA_CONTENT_TOOL), args);
    if (!proc.waitForFinished(timeoutMs)) {
        proc.kill();
        proc.waitForFinished();
        return r;
    }
    r.exitCode = proc.exitStatus() == QProcess::NormalExit ? proc.exitCode() : -1;
    r.out = proc.readAllStandardOutput().toStdString();
    r.err = proc.readAllStandardError().toStdString();
    return r;
}

} // namespace lumora::content
