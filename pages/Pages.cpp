#include "pages/Pages.h"

#include "pages/FrmRadioInfo.h"
#include "platform/widgets/FormLoader.h"

namespace Pages {

void RegisterForms() {
    Platform::Forms::RegisterFactory(QStringLiteral("FrmRadioInfo"),
                                     [] { return new FrmRadioInfo; });
}

} // namespace Pages
