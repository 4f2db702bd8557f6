#pragma once

#include <QByteArray>
#include <QDir>
#include <QTemporaryDir>

namespace mhbk::test {

// A home folder of the test's own for as long as the object lives, with or without a documents
// folder in it; HOME and XDG_CONFIG_HOME are put back afterwards.
class ScratchHome {
public:
    explicit ScratchHome(bool withDocuments)
        : oldHome_(qgetenv("HOME")), oldConfig_(qgetenv("XDG_CONFIG_HOME")),
          hadConfig_(qEnvironmentVariableIsSet("XDG_CONFIG_HOME"))
    {
        qputenv("HOME", home_.path().toUtf8());
        qputenv("XDG_CONFIG_HOME", home_.filePath(QStringLiteral(".config")).toUtf8());
        if (withDocuments)
            QDir(home_.path()).mkdir(QStringLiteral("Documents"));
    }
    ~ScratchHome()
    {
        qputenv("HOME", oldHome_);
        if (hadConfig_)
            qputenv("XDG_CONFIG_HOME", oldConfig_);
        else
            qunsetenv("XDG_CONFIG_HOME");
    }
    ScratchHome(const ScratchHome &) = delete;
    ScratchHome &operator=(const ScratchHome &) = delete;

    QString path() const { return home_.path(); }
    QString documents() const { return QDir(home_.path()).filePath(QStringLiteral("Documents")); }

private:
    QTemporaryDir home_;
    QByteArray oldHome_;
    QByteArray oldConfig_;
    bool hadConfig_;
};

} // namespace mhbk::test
