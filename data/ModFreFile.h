#pragma once

#include <QString>
#include <QStringList>

// The band table and the copies between the working and the saved configuration.
namespace ModFreFile {

// The models of the model dialog, in its order.
const QStringList& ModelNames();

// The 17 band texts in the order of the band lists.
const QStringList& BandTexts();
// The band code of each text of BandTexts(), in the same order.
const QList<int>& BandCodes();

// The text of a band code; "" for a code that has no row.
QString BandCodeToText(int code);
// The code of a band text (exact, case-sensitive); 0 for any other text.
int BandTextToCode(const QString& text);

// Saved := working (the working model block is first rebuilt from the
// program's model and band).
void SyncFileFromEdit();
// Working := saved with the program's model and band, then saved := working.
void TakeAllFromFile();
// Working := saved; the program takes its model and band from it.
void TakeEditFromFile();
// Only the settings, presets and test pairs come from the saved copy; the
// working channels and model stay.
void TakeSettingsFromFile();

} // namespace ModFreFile
