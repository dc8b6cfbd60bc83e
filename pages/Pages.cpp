#include "pages/Pages.h"

#include "data/ModInitV.h"
#include "pages/FrmAlert.h"
#include "pages/FrmDTMF.h"
#include "pages/FrmEmbMsg.h"
#include "pages/FrmKey.h"
#include "pages/FrmModelInfo.h"
#include "pages/FrmOptFeatures.h"
#include "pages/FrmRadio.h"
#include "pages/FrmRadioInfo.h"
#include "pages/FrmScan.h"
#include "pages/FrmTestData.h"
#include "pages/FrmTestFre.h"
#include "platform/widgets/FormLoader.h"

#include <memory>

namespace Pages {

namespace {
// Loads every page that edits the configuration once, unseen, in the order of
// the tree: each stores what it shows (Form_Load) and is gone again.
void LoadEveryPageUnseen() {
    for (const char* name : {"FrmOptFeatures", "FrmRadio", "FrmDTMF", "FrmTestFre", "FrmEmbMsg",
                             "FrmKey", "FrmScan", "FrmAlert"})
        std::unique_ptr<QWidget>(Platform::Forms::Create(QLatin1String(name)));
}
} // namespace

void RegisterForms() {
    Platform::Forms::RegisterFactory(QStringLiteral("FrmRadioInfo"),
                                     [] { return new FrmRadioInfo; });
    Platform::Forms::RegisterFactory(QStringLiteral("FrmKey"), [] { return new FrmKey; });
    Platform::Forms::RegisterFactory(QStringLiteral("FrmScan"), [] { return new FrmScan; });
    Platform::Forms::RegisterFactory(QStringLiteral("FrmAlert"), [] { return new FrmAlert; });
    Platform::Forms::RegisterFactory(QStringLiteral("FrmDTMF"), [] { return new FrmDTMF; });
    Platform::Forms::RegisterFactory(QStringLiteral("FrmModelInfo"),
                                     [] { return new FrmModelInfo; });
    Platform::Forms::RegisterFactory(QStringLiteral("FrmOptFeatures"),
                                     [] { return new FrmOptFeatures; });
    Platform::Forms::RegisterFactory(QStringLiteral("FrmEmbMsg"), [] { return new FrmEmbMsg; });
    Platform::Forms::RegisterFactory(QStringLiteral("FrmRadio"), [] { return new FrmRadio; });
    Platform::Forms::RegisterFactory(QStringLiteral("FrmTestFre"), [] { return new FrmTestFre; });
    Platform::Forms::RegisterFactory(QStringLiteral("FrmTestData"), [] { return new FrmTestData; });
    ModInitV::SetPageLoadRules(LoadEveryPageUnseen);
}

} // namespace Pages
