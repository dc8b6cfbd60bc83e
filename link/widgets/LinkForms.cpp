#include "link/widgets/LinkForms.h"

#include "link/widgets/FrmPassWord.h"
#include "link/widgets/FrmSetComm.h"
#include "link/widgets/LoadFrmLink.h"
#include "platform/widgets/FormLoader.h"

namespace LinkForms {

void RegisterForms() {
    Platform::Forms::RegisterFactory(QStringLiteral("FrmSetComm"), [] { return new FrmSetComm; });
    Platform::Forms::RegisterFactory(QStringLiteral("LoadFrmLink"), [] { return new LoadFrmLink; });
    Platform::Forms::RegisterFactory(QStringLiteral("FrmPassWord"), [] { return new FrmPassWord; });
}

} // namespace LinkForms
