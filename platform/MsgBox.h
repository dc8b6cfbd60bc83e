#pragma once

#include <QString>

namespace Platform {

// Message box styles and answers, as the program's messages name them.
namespace Mb {
// buttons
inline constexpr int OKOnly = 0;
inline constexpr int OKCancel = 1;
inline constexpr int AbortRetryIgnore = 2;
inline constexpr int YesNoCancel = 3;
inline constexpr int YesNo = 4;
inline constexpr int RetryCancel = 5;
// icons
inline constexpr int Critical = 16;
inline constexpr int Question = 32;
inline constexpr int Exclamation = 48;
inline constexpr int Information = 64;
// default button
inline constexpr int DefaultButton2 = 256;
inline constexpr int DefaultButton3 = 512;
// answers
inline constexpr int IdOK = 1;
inline constexpr int IdCancel = 2;
inline constexpr int IdAbort = 3;
inline constexpr int IdRetry = 4;
inline constexpr int IdIgnore = 5;
inline constexpr int IdYes = 6;
inline constexpr int IdNo = 7;

inline int Buttons(int style) {
    return style & 0x0F;
}
inline int Icon(int style) {
    return style & 0xF0;
}
} // namespace Mb

// Shows messages and asks questions. The windowed programs install one on
// QMessageBox; tests install a recording fake.
class MessageService {
public:
    virtual ~MessageService() = default;
    virtual int Show(const QString& text, int style, const QString& title) = 0;
};

// Installs the service (not owned); nullptr restores the fallback, which
// prints the text to standard error and answers with the least harmful button
// (OK, Cancel or No).
void SetMessageService(MessageService* service);
MessageService* CurrentMessageService();

// Shows a message; an empty title means the program's title.
int MsgBox(const QString& text, int style = Mb::OKOnly, const QString& title = {});

} // namespace Platform
