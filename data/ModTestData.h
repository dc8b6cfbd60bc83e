#pragma once

#include "data/RadioData.h"

#include <QByteArray>
#include <QString>

// The factory test-data switch and the 16-byte test block files.
//
// The test block is a radio's calibration. The working block (gEditTestBlock)
// is the configuration's own only when it came from somewhere: read from a
// radio in test-data mode, taken from the ".ted" of a configuration file, or
// set in the test-data dialog. Until then it is unknown: a factory write leaves
// the radio's block as it is. The saved copy (gFileTestBlock) names the
// configuration's file and holds what its ".ted" holds once that was taken.
// The ".ted" beside a configuration file is always that configuration's own:
// a save leaves its own ".ted" as it is, and sets one of another
// configuration aside. With the mode off no block is held; the file's ".ted"
// is read when the mode is switched on.
namespace ModTestData {

inline constexpr const char* kMarker = "ZT615_3318_Bench_CalibrationKey";

// Drops the test blocks and switches the mode on when "TestData.ini" beside
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
// Replaces the file by exactly the 16 bytes. False when it failed; the
// message was shown.
bool WriteTestFile(const QString& path, const TTestBlock& source);
// The saved copy from the ".ted" beside the configuration file: the file's
// block when it was taken, else nothing known, with the reason as by
// ReadTestFile (0 when there is no ".ted").
qint32 LoadTedForDat(const QString& datPath);
// The text that says why a test block file was not taken, naming the file.
QString RefusalText(qint32 reason, const QString& tedPath);

// The configuration is now the one of the file at `datPath` (opened or
// imported): in test-data mode its ".ted" is taken, one found but not taken is
// reported; with the mode off no block is held.
void TakeTestBlockOf(const QString& datPath);
// File New took the default file at `initPath`: in test-data mode the block of
// its ".ted", when it has one; the configuration has no file of its own.
void TakeDefaultBlock(const QString& initPath);
// The configuration has no block and no file (File New, a read with the mode off).
void ForgetTestBlock();
// The block a radio read brought, for a configuration without a file.
void TakeRadioBlock(const TTestBlock& block);
// The values the user set in the test-data dialog: a block of the
// configuration's own, unless they are those of the block it holds.
void TakeDialogBlock(const TTestBlock& block);
// Whether the working block is the configuration's own.
bool IsTestBlockKnown();
// Whether the user set the block and it is not what the configuration file's
// ".ted" holds: the configuration counts as changed.
bool IsTestBlockChanged();
// What switching the mode off would drop that no file holds.
enum class Unsaved { Nothing, Changed, ReadFromRadio };
Unsaved UnsavedTestBlock();
// The 16 bytes a factory write sends: the working block, with the marker the
// radio expects in its last byte. The working block itself is not changed.
QByteArray BlockToSend();

// Saving the configuration as `datPath`: whether a ".ted" lies there that is
// not this configuration's own (it belongs to the file being replaced, or to
// none) and would be lost or taken for this configuration's by the save.
bool HasOtherTed(const QString& datPath);
// Renames that ".ted" to a free name beside it ("<name> (replaced).ted", ...),
// so that no configuration takes it, and gives the new path; empty when that
// failed (the message was shown).
QString SetAsideTed(const QString& datPath);
// The configuration was saved as `datPath`: its ".ted" holds the working
// block when that is known, and is as it was otherwise.
void TestBlockSaved(const QString& datPath);
// Switches test-data mode. Switched on, the configuration file's ".ted" is
// read when no block is held; switched off, the block is dropped (the caller
// asks first when no file holds it).
void SetTestDataMode(bool on);

} // namespace ModTestData
