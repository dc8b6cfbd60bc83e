#include "pages/Pages.h"

#include "pages/FrmAlert.h"
#include "pages/FrmDTMF.h"
#include "pages/FrmKey.h"
#include "pages/FrmRadioInfo.h"
#include "pages/FrmScan.h"
#include "platform/widgets/FormLoader.h"

namespace Pages {

void RegisterForms() {
    Platform::Forms::RegisterFactory(QStringLiteral("FrmRadioInfo"),
                                     [] { return new FrmRadioInfo; });
    Platform::Forms::RegisterFactory(QStringLiteral("FrmKey"), [] { return new FrmKey; });
    Platform::Forms::RegisterFactory(QStringLiteral("FrmScan"), [] { return new FrmScan; });
    Platform::Forms::RegisterFactory(QStringLiteral("FrmAlert"), [] { return new FrmAlert; });
    Platform::Forms::RegisterFactory(QStringLiteral("FrmDTMF"), [] { return new FrmDTMF; });
}

} // namespace Pages
