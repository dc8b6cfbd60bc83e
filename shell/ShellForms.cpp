#include "shell/ShellForms.h"

#include "platform/widgets/FormLoader.h"
#include "shell/FrmMulSet.h"
#include "shell/FrmSetLanguage.h"

namespace ShellForms {

void RegisterForms() {
    Platform::Forms::RegisterFactory(QStringLiteral("FrmSetLanguage"),
                                     [] { return new FrmSetLanguage; });
    // Loaded by name only: no menu item or button opens it.
    Platform::Forms::RegisterFactory(QStringLiteral("FrmMulSet"), [] { return new FrmMulSet; });
}

} // namespace ShellForms
