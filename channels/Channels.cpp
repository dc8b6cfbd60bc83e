#include "channels/Channels.h"

#include "channels/frmCommChInfo.h"
#include "platform/widgets/FormLoader.h"

namespace Channels {

void RegisterForms() {
    Platform::Forms::RegisterFactory(QStringLiteral("frmCommChInfo"),
                                     [] { return new frmCommChInfo; });
}

} // namespace Channels
