#include "data/ConfigFiles.h"
#include "data/DatLayout.h"
#include "data/ModCommFun.h"
#include "data/ModShowFreFun.h"
#include "data/ModVerionMana.h"
#include "tests/support/TestSupport.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>
#include <random>

using namespace ModShowFreFun;

namespace {

// Thousands of damaged configuration files: every one is either refused or
// opened into a table that the channel operations can work on safely.
TEST(LoaderFuzzTest, DamagedFilesAreRefusedOrOpenSafely) {
    TestSupport::TempProgram program;
    TestSupport::RecordingMessages messages;
    TestSupport::ResetProgram();
    program.WriteFile("../Version.ini", "[Version]\nFirmVersionCount=1\n[Firm]\nFirm0=V200V200\n");
    ModVerionMana::LoadVersionIni();
    for (int n = 2; n <= 40; ++n)
        ModShowFreFun::AddChannel(n * 3 % 128 + 1 == 1 ? 2 : n * 3 % 128 + 1, "440");
    const QByteArray valid = DatLayout::Pack(gEditData);

    // what the pages show of the frequencies, channels in number order
    const auto shown = [] {
        QStringList s;
        for (int i = 0; i < gEditData.UsedCount(); ++i) {
            const TChannel& c = gEditData.Channels[static_cast<std::size_t>(i)];
            s << QStringLiteral("%1 %2 %3")
                     .arg(c.Number, 3)
                     .arg(FreqCodeToText(c.RxFreq.Text()),
                          TxFreqText(c.RxFreq.Text(), c.Offset.Text(), c.OffsetDir, false));
        }
        s.sort();
        for (const TTestFre& p : gEditData.TestFreList)
            s << FreqCodeToText(p.First.Text()) + u'/' + FreqCodeToText(p.Second.Text());
        return s.join(u' ').toStdString();
    };
    std::mt19937 rng(20261209);
    QElapsedTimer timer;
    timer.start();
    int opened = 0;
    const QString path = program.ProgramDir() + "/fuzz.dat";
    for (int round = 0; round < 3000 && timer.elapsed() < 8000; ++round) {
        QByteArray bytes = valid;
        const int mutations = 1 + static_cast<int>(rng() % 8);
        for (int m = 0; m < mutations && bytes.size() > 8070; ++m) {
            const int at = static_cast<int>(rng() % static_cast<unsigned>(bytes.size()));
            switch (rng() % 5) {
            case 0:
                bytes[at] = static_cast<char>(rng());
                break;
            case 1: // the channel count and the band code are the fields that matter most
                bytes[4 + static_cast<int>(rng() % 2)] = static_cast<char>(rng());
                break;
            case 2:
                bytes[8069] = static_cast<char>(rng() % 40);
                break;
            case 3: // a channel's receive frequency or offset, or a test pair
                bytes[rng() % 2 ? 10 + 60 * int(rng() % 40) + int(rng() % 16)
                                : 7886 + int(rng() % 176)] = "0 \0A\xA3"[rng() % 5];
                break;
            default:
                if (rng() % 16 == 0) bytes.resize(static_cast<int>(rng() % 9000));
                break;
            }
        }
        program.WriteFile("fuzz.dat", bytes);
        gDataFileName = path;
        if (!ModShowFreFun::OpenDataFile(nullptr)) continue;
        ++opened;
        ASSERT_GE(gEditData.ChannelCount, 0);
        ASSERT_LE(gEditData.ChannelCount, 128);
        ASSERT_FALSE(gBandText.isEmpty());
        // a radio is sent what is shown: it comes back from the image the same
        const std::string opened = shown();
        ModCommFun::EncodeImage();
        ModCommFun::DecodeImage();
        ASSERT_EQ(shown(), opened) << round;
        (void)ModShowFreFun::IsDataModified();
        ModShowFreFun::SetChannelCell(7, 16, 1, "1000");
        ModShowFreFun::SetChannelCell(0, 1, 2, "0");
        ModShowFreFun::FixChannelRefs();
    }
    EXPECT_GT(opened, 0) << "some mutations leave a well-formed record";
}

} // namespace
