#include "platform/MsgBox.h"

#include "platform/App.h"

#include <cstdio>

namespace Platform {

namespace {

class StderrMessages final : public MessageService {
public:
    int Show(const QString& text, int style, const QString& title) override {
        std::fprintf(stderr, "[%s] %s\n", qPrintable(title), qPrintable(text));
        switch (Mb::Buttons(style)) {
        case Mb::OKCancel:
        case Mb::RetryCancel:
        case Mb::YesNoCancel:
            return Mb::IdCancel;
        case Mb::YesNo:
            return Mb::IdNo;
        case Mb::AbortRetryIgnore:
            return Mb::IdAbort;
        default:
            return Mb::IdOK;
        }
    }
};

StderrMessages gFallback;
MessageService* gService = nullptr;

} // namespace

void SetMessageService(MessageService* service) {
    gService = service;
}

MessageService* CurrentMessageService() {
    return gService ? gService : &gFallback;
}

int MsgBox(const QString& text, int style, const QString& title) {
    return CurrentMessageService()->Show(text, style, title.isEmpty() ? AppTitle() : title);
}

} // namespace Platform
