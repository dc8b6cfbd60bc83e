// gridshot [out.png] [--chinese] [--offset]
// Opens the channel grid page in a plain main window, fills it from a test
// record and saves a picture of the window.
#include "channels/Channels.h"
#include "data/ModFun.h"
#include "data/ModFunLang.h"
#include "data/ModInitV.h"
#include "data/ModShowFreFun.h"
#include "data/RadioData.h"
#include "data/SharedState.h"
#include "data/widgets/FormHelpers.h"
#include "platform/App.h"
#include "platform/Forms.h"
#include "platform/widgets/FormLoader.h"

#include <QApplication>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTimer>
#include <cstdio>

namespace {

// The test record: a few channels of group 1 with offsets, tones and options,
// and one in group 2.
void FillTestRecord() {
    using ModShowFreFun::SetChannelCell;
    ModInitV::NewData();
    SetChannelCell(0, 1, 1, "435.025");
    SetChannelCell(0, 1, 2, "430.025");
    SetChannelCell(0, 1, 4, "13");
    SetChannelCell(0, 2, 1, "438.5");
    SetChannelCell(0, 2, 2, "431.1");
    SetChannelCell(0, 2, 4, "60");
    SetChannelCell(0, 2, 6, "0");
    SetChannelCell(0, 4, 1, "446.00625");
    SetChannelCell(0, 4, 5, "200");
    SetChannelCell(0, 4, 9, "2");
    SetChannelCell(0, 5, 1, "462.5625");
    SetChannelCell(0, 5, 7, "1");
    SetChannelCell(0, 5, 8, "1");
    SetChannelCell(0, 9, 1, "409.75");
    SetChannelCell(0, 16, 1, "479.99");
    SetChannelCell(1, 1, 1, "440");
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QString out = QStringLiteral("gridshot.png");
    bool chinese = false;
    bool offset = false;
    for (int i = 1; i < argc; ++i) {
        const QString a = QString::fromLocal8Bit(argv[i]);
        if (a == QLatin1String("--chinese"))
            chinese = true;
        else if (a == QLatin1String("--offset"))
            offset = true;
        else
            out = a;
    }
    Platform::SetAppPath(QStringLiteral(CORVAN_PROGRAM_DIR));
    ModFunLang::gLangFileName =
        chinese ? QStringLiteral("chinese.ini") : QStringLiteral("english.ini");
    ModFun::ParseBandLimits();
    FillTestRecord();
    gHabits.TxAsOffset = offset; // the record is typed as frequencies

    QMainWindow main;
    main.setObjectName(QStringLiteral("frmMain"));
    main.setWindowTitle(ModFunLang::GetLangText(12000).isEmpty() ? QStringLiteral("Corvan")
                                                                 : ModFunLang::GetLangText(12000));
    auto* area = new QMdiArea(&main);
    area->setBackground(QColor(90, 110, 140));
    main.setCentralWidget(area);
    main.resize(880, 540);
    Platform::Forms::Register(&main);
    Platform::Forms::SetChildHost({[area](QWidget* w) { area->addSubWindow(w)->show(); }, {}});
    Channels::RegisterForms();
    main.show();
    ModFun::ShowChildForm(QStringLiteral("frmCommChInfo"));

    int rc = 0;
    QTimer::singleShot(500, &app, [&] {
        if (!main.grab().save(out)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(out));
            rc = 1;
        }
        app.quit();
    });
    app.exec();
    return rc;
}
