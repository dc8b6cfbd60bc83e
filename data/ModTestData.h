#pragma once

#include "data/RadioData.h"

#include <QByteArray>
#include <QString>

// The factory test-data switch and the 16-byte test block files.
//
// The test block is a radio's calibration. The working block is the
// configuration's own only when it came from somewhere: read from a radio in
// test-data mode, taken from the configuration's own ".ted", or set in the
// test-data dialog. Until then it is unknown: a factory write leaves the
// radio's block as it is and a save leaves the ".ted" as it is. With the mode
// off no block is held; the open configuration's ".ted" is read when the mode
// is switched on.
namespace ModTestData {

inline constexpr const char* kMarker = "ZT615_3318_Bench_CalibrationKey";

// Zeroes the test blocks and switches the mode on when "TestData.ini" beside
// the program holds the marker.
void LoadTestMode();
// Why a test block file was not taken, as the number of the text that says so.
inline constexpr qint32 kUnreadable = 9082;  // cannot be read (a folder, a dangling link)
inline constexpr qint32 kNoTestBlock = 9081; // not exactly 16 bytes
// Reads the file into the destination when it is a readable file of exactly
// 16 bytes and gives 0; otherwise the reason, and the destination unchanged.
qint32 ReadTestFile(const QString& path, TTestBlock& destination);
// The 16 bytes of a ".ted" file.
QByteArray TestFileBytes(const TTestBlock& block);
// Replaces the file by exactly the 16 bytes, as a configuration is saved.
// False when it failed; the message was shown.
bool WriteTestFile(const QString& path, const TTestBlock& source);
// Both copies of the block from the ".ted" beside a configuration: known when
// the file was taken, else empty and unknown, with the reason as by
// ReadTestFile (0 when there is no file).
qint32 LoadTedForDat(const QString& datPath);
// The text that says why a test block file was not taken, naming the file.
QString RefusalText(qint32 reason, const QString& tedPath);

// The configuration at `datPath` was opened: in test-data mode its ".ted" is
// taken, a file found but not taken is reported; with the mode off no block
// is held.
void TakeTestBlockOf(const QString& datPath);
// The configuration has no block of its own (File New, a read with the mode off).
void ForgetTestBlock();
// The block a radio read brought, as the working block of a configuration
// that has no ".ted" yet.
void TakeRadioBlock(const TTestBlock& block);
// The block the user confirmed in the test-data dialog.
void TakeDialogBlock(const TTestBlock& block);
// Whether the working block is the configuration's own.
bool IsTestBlockKnown();
// Whether the working block is known and not what the configuration's ".ted"
// holds, so that a save must write it.
bool IsTestBlockChanged();
// The configuration was saved: its ".ted" holds the working block when that
// is known, and is as it was otherwise.
void TestBlockSaved();
// Switches test-data mode. Switched on, the open configuration's ".ted" is
// read when no block is held; switched off, the block is dropped (the caller
// asks first when it was changed).
void SetTestDataMode(bool on);

} // namespace ModTestData
