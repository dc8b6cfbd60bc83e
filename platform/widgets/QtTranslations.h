#pragma once

// Qt's own texts (the standard buttons of message boxes and questions, the
// file, print and printer dialogs) in the program's language.
namespace Platform {

// Chinese (Simplified) when chinese is set, else Qt's built-in English. A
// missing translation file leaves Qt's texts in English.
void UseQtLanguage(bool chinese);

} // namespace Platform
