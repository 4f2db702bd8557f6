// Takes the single-instance lock for an executable path, says so, and waits to be killed.
#include "app/singleinstance.h"

#include <QCoreApplication>
#include <cstdio>
#include <thread>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3)
        return 2;
    mhbk::SingleInstance instance(args[1], args[2]);
    std::puts(instance.acquire() ? "locked" : "refused");
    std::fflush(stdout);
    std::this_thread::sleep_for(std::chrono::seconds(60));
    return 0;
}
