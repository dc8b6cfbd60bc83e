#include "platform/widgets/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>

namespace Platform {

namespace {

QPointer<QTranslator> gQtTranslator;

} // namespace

void UseQtLanguage(bool chinese) {
    if (!QCoreApplication::instance()) return;
    if (gQtTranslator) {
        QCoreApplication::removeTranslator(gQtTranslator);
        delete gQtTranslator;
    }
    if (!chinese) return;
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(QStringLiteral("qtbase_zh_CN"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return;
    }
    QCoreApplication::installTranslator(translator);
    gQtTranslator = translator;
}

} // namespace Platform
