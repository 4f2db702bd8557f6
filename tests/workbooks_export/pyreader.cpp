#include "pyreader.h"

#include <QJsonDocument>
#include <QProcess>
#include <gtest/gtest.h>

namespace mhbk::test {

QString pythonWith(const QString &module)
{
    // The system interpreter carries the distribution's modules; a user-installed python3
    // earlier on PATH may not.
    for (const QString &candidate : {QStringLiteral("/usr/bin/python3"), QStringLiteral("python3")}) {
        QProcess p;
        p.start(candidate, {QStringLiteral("-c"), QStringLiteral("import ") + module});
        if (p.waitForFinished(30000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0)
            return candidate;
    }
    return QString();
}

std::optional<QJsonObject> runPythonReader(const QString &script, const QString &module, const QStringList &args)
{
    const QString python = pythonWith(module);
    if (python.isEmpty())
        return std::nullopt;
    QProcess p;
    p.start(python, QStringList{QStringLiteral(MHBK_EXPORT_TEST_DIR "/") + script} + args);
    if (!p.waitForFinished(120000) || p.exitCode() != 0) {
        ADD_FAILURE() << script.toStdString() << " failed: " << p.readAllStandardError().toStdString();
        return std::nullopt;
    }
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(p.readAllStandardOutput(), &error);
    if (!doc.isObject()) {
        ADD_FAILURE() << script.toStdString() << " printed no JSON: " << error.errorString().toStdString();
        return std::nullopt;
    }
    return doc.object();
}

} // namespace mhbk::test
