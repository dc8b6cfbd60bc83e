#pragma once

#include "data/RadioData.h"

#include <QByteArray>
#include <QString>

// The factory test-data switch and the 16-byte test block files.
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
// The test block beside a configuration into gFileTestBlock; an empty block
// when there is none. When a file is there but is not taken, the block is
// empty too and the reason is given as by ReadTestFile.
qint32 LoadTedForDat(const QString& datPath);
// The text that says why a test block file was not taken, naming the file.
QString RefusalText(qint32 reason, const QString& tedPath);

// The test block belongs to the open configuration. A configuration opened in
// test-data mode takes the block of its own ".ted"; one opened with the mode
// off has both copies empty, and its ".ted" is read when the mode is switched
// on, so that neither a save nor a factory write ever uses the block of the
// configuration before. A file found but not taken is reported.
void TakeTestBlockOf(const QString& datPath);
// Switches test-data mode; switched on, the open configuration's ".ted" that
// waits is read as TakeTestBlockOf reads it.
void SetTestDataMode(bool on);
// The test block file that LoadTedForDat found but did not take: until the
// test block is set otherwise (File New, a radio read, an edit), a save leaves
// that file as it is instead of replacing it by a block it never held.
bool IsUntakenTestFile(const QString& tedPath);
// The test block was set anew (File New, a radio read, an edit): it stands for
// no file that was not taken or not yet read.
void TestBlockSetAnew();

} // namespace ModTestData
