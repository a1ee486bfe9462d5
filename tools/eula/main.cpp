// Build step: typesets the licence document from its text source.
//
//   korvane_eula <KORVANE_EULA.txt> <KORVANE_EULA.pdf>
#include <QFile>
#include <QGuiApplication>
#include <cstdio>

#include "ui/info/eulapdf.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: korvane_eula <source.txt> <output.pdf>\n");
        return 2;
    }
    QFile in(QString::fromLocal8Bit(argv[1]));
    if (!in.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "korvane_eula: cannot read %s\n", argv[1]);
        return 1;
    }
    const QString text = QString::fromUtf8(in.readAll());
    QString error;
    if (!korvane::ui::writeEulaPdf(text, QString::fromLocal8Bit(argv[2]), &error)) {
        std::fprintf(stderr, "korvane_eula: %s\n", qPrintable(error));
        return 1;
    }
    return 0;
}
