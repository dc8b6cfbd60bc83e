#include "channels/Channels.h"

#include "channels/FrmCHBatch.h"
#include "channels/frmCommChInfo.h"
#include "platform/widgets/FormLoader.h"

namespace Channels {

void RegisterForms() {
    Platform::Forms::RegisterFactory(QStringLiteral("frmCommChInfo"),
                                     [] { return new frmCommChInfo; });
    Platform::Forms::RegisterFactory(QStringLiteral("FrmCHBatch"), [] { return new FrmCHBatch; });
}

} // namespace Channels
