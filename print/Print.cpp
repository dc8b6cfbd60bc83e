#include "print/Print.h"

#include "platform/widgets/FormLoader.h"
#include "print/FrmPrintList.h"

namespace Print {

void RegisterForms() {
    Platform::Forms::RegisterFactory(QStringLiteral("FrmPrintList"),
                                     [] { return new FrmPrintList; });
}

} // namespace Print
