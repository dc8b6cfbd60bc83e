// Writes the program's start and background pictures into a program folder:
//   corvan_pictures <program folder>
#include "shell/pictures/Pictures.h"

#include <QDir>
#include <QGuiApplication>
#include <cstdio>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: corvan_pictures <program folder>\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder + QStringLiteral("/PIC"));
    bool ok = Pictures::StartPicture(1).save(folder + QStringLiteral("/StartE.jpg"), "JPG", 92);
    ok = Pictures::StartPicture(2).save(folder + QStringLiteral("/StartC.jpg"), "JPG", 92) && ok;
    ok =
        Pictures::BackgroundTile(1).save(folder + QStringLiteral("/PIC/BK_1.jpg"), "JPG", 95) && ok;
    ok =
        Pictures::BackgroundTile(2).save(folder + QStringLiteral("/PIC/BK_2.jpg"), "JPG", 95) && ok;
    if (!ok) std::fprintf(stderr, "corvan_pictures: could not write the pictures\n");
    return ok ? 0 : 1;
}
