#pragma once

#include <QString>
#include <array>

// Texts by number from the language file of the current language.
namespace ModFunLang {

// "english.ini" or "chinese.ini": the file in the program's "language" folder.
extern QString gLangFileName;

// The section of the language file that holds text number n.
QString LangSection(qint32 n);

// Text number n of the current language file, cut to 254 characters and
// trimmed; an empty text when the file or the key is missing.
QString GetLangText(qint32 n);

// The language file in use: program folder/language/gLangFileName.
QString LangFilePath();

// True when the language file in use can be read and holds the program's
// title (text 12000): without it no window has its texts.
bool LangFileUsable();

// The message, in English and in Chinese, that the language file at path is
// missing or cannot be read, and that the program ends (ending) or keeps its
// language. It is built in: it cannot come from that file.
QString MissingLangFileText(const QString& path, bool ending = true);

// True when the language file of the language (1 English, 2 Chinese) can be
// read and holds the program's title.
bool LangFileUsable(int language);

// A table of text numbers that code looks up by position:
//   static constexpr auto kTexts = LangIds(first, second, ...);
// The language-file test checks every number written inside LangIds(...).
template <typename... T> constexpr auto LangIds(T... ids) {
    return std::array<qint32, sizeof...(T)>{static_cast<qint32>(ids)...};
}

} // namespace ModFunLang
