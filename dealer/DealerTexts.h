#pragma once

#include <QString>
#include <array>
#include <vector>

// Halbrek keeps its texts in English and Chinese inside the program; the
// system locale chooses one language for the whole run.
namespace Halbrek {

// 1 English, 2 Chinese.
extern int gLanguage;

// A text in both languages, indexed by gLanguage (index 0 unused).
using TextTable = std::array<QString, 3>;

// The entry of the current language (English for any other value).
QString Text(const TextTable& table);

// Message tables, filled by ModData::InitMessages.
extern TextTable gMsgCommError;
extern TextTable gMsgPortError;
extern TextTable gMsgSystemError;
extern TextTable gMsgReadDone;
extern TextTable gMsgWriteDone;
extern TextTable gMsgMulWriteDone;

// Tables of the protect dialog and its error message, filled by
// FillProtectTexts (part of the main window's language step).
extern TextTable gMsgProtectError;
extern TextTable gProtectCaption;
extern TextTable gProtectQuestionLabel;
extern TextTable gProtectAnswerLabel;
extern TextTable gProtectNote;
extern TextTable gProtectOK;
extern TextTable gProtectCancel;

// The multi-radio write's button and status texts.
extern const TextTable kMulWriteIdle;
extern const TextTable kMulWriteRunning;
extern const TextTable kWritingData;
extern const TextTable kWaitingNext;
// A multi-write ends before a serial number would be issued twice.
extern const TextTable kSerialNumberFull;

// One caption of the main window: the control's name and its two texts.
struct Caption {
    const char* control;
    const char16_t* english;
    const char16_t* chinese;
};
// Every caption of the main window, in the order the language step sets them.
const std::vector<Caption>& MainCaptions();

// gLanguage from the system locale: 2 for locale 0x804 alone, else 1.
void ChooseLanguage();
// Fills the protect tables, English entries first, then Chinese.
void FillProtectTexts();

} // namespace Halbrek
