#pragma once

#include "platform/MsgBox.h"

namespace Platform {

// Shows messages and questions in modal QMessageBox dialogs.
class DialogMessages final : public MessageService {
public:
    int Show(const QString& text, int style, const QString& title) override;
};

} // namespace Platform
