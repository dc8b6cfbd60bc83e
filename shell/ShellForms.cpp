#include "shell/ShellForms.h"

#include "platform/widgets/FormLoader.h"
#include "shell/FrmSetLanguage.h"

namespace ShellForms {

void RegisterForms() {
    Platform::Forms::RegisterFactory(QStringLiteral("FrmSetLanguage"),
                                     [] { return new FrmSetLanguage; });
}

} // namespace ShellForms
