#include "channels/Channels.h"

#include "channels/FrmCHBatch.h"
#include "channels/FrmCHInfoEdit.h"
#include "channels/frmCommChInfo.h"
#include "platform/widgets/FormLoader.h"

namespace Channels {

void RegisterForms() {
    Platform::Forms::RegisterFactory(QStringLiteral("frmCommChInfo"),
                                     [] { return new frmCommChInfo; });
    Platform::Forms::RegisterFactory(QStringLiteral("FrmCHBatch"), [] { return new FrmCHBatch; });
    Platform::Forms::RegisterFactory(QStringLiteral("FrmCHInfoEdit"),
                                     [] { return new FrmCHInfoEdit; });
}

} // namespace Channels
