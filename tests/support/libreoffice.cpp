#include "support/libreoffice.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace mhbk::test {

namespace {

// A large workbook set converted to PDF on a busy machine takes minutes; this only stops a hang.
constexpr int kHangLimitMs = 10 * 60 * 1000;

void writeRecalculatingProfile(const QString &profileDir)
{
    QDir().mkpath(profileDir + QStringLiteral("/user"));
    QFile file(profileDir + QStringLiteral("/user/registrymodifications.xcu"));
    if (!file.open(QIODevice::WriteOnly))
        return; // LibreOffice then keeps its default, and the comparison that follows says so
    file.write(R"(<?xml version="1.0" encoding="UTF-8"?>
<oor:items xmlns:oor="http://openoffice.org/2001/registry" xmlns:xs="http://www.w3.org/2001/XMLSchema" xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance">
<item oor:path="/org.openoffice.Office.Calc/Formula/Load"><prop oor:name="OOXMLRecalcMode" oor:op="fuse"><value>0</value></prop></item>
</oor:items>
)");
}

} // namespace

QString sofficePath()
{
    return QStandardPaths::findExecutable(QStringLiteral("soffice"));
}

LibreOfficeRun convertWithLibreOffice(const QString &soffice, const LibreOfficeConversion &conversion,
                                      const QStringList &inputs)
{
    if (conversion.recalculateOnLoad)
        writeRecalculatingProfile(conversion.profileDir);
    QProcess lo;
    lo.start(soffice, QStringList{QStringLiteral("-env:UserInstallation=") + QUrl::fromLocalFile(conversion.profileDir).toString(),
                                  QStringLiteral("--headless"), QStringLiteral("--norestore"),
                                  QStringLiteral("--convert-to"), conversion.format,
                                  QStringLiteral("--outdir"), conversion.outDir} + inputs);
    LibreOfficeRun run;
    run.finished = lo.waitForFinished(kHangLimitMs) && lo.exitStatus() == QProcess::NormalExit;
    run.exitCode = lo.exitCode();
    run.errors = QString::fromLocal8Bit(lo.readAllStandardError());
    return run;
}

} // namespace mhbk::test
