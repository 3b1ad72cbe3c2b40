// The bench's loop measurements under Qt's own exec() loop (Qt's Windows dispatcher).
// Usage: windows_loop_exec <result file> [timer seconds] [idle seconds] [mouse messages]
#include "LoopBench.h"

#include <QApplication>
#include <QFile>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2)
        return 2;
    LoopBench::Options options;
    if (args.size() > 2)
        options.iTimerSeconds = args.at(2).toInt();
    if (args.size() > 3)
        options.iIdleSeconds = args.at(3).toInt();
    if (args.size() > 4)
        options.iMouseMessages = args.at(4).toInt();
    LoopBench bench(options);
    QObject::connect(&bench, &LoopBench::finished, &app, [&](const QString &strJson) {
        QFile file(args.at(1));
        if (file.open(QIODevice::WriteOnly))
            file.write(strJson.toUtf8());
        app.quit();
    });
    bench.start();
    return app.exec();
}
