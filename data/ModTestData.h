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
// Reads the file into the destination when it is a readable file of exactly
// 16 bytes; false, and the destination unchanged, otherwise.
bool ReadTestFile(const QString& path, TTestBlock& destination);
// The 16 bytes of a ".ted" file.
QByteArray TestFileBytes(const TTestBlock& block);
// Replaces the file by exactly the 16 bytes, as a configuration is saved.
// False when it failed; the message was shown.
bool WriteTestFile(const QString& path, const TTestBlock& source);
// The test block beside a configuration into gFileTestBlock; an empty block
// when there is none. False when a file is there but is no test block (the
// block is then empty too).
bool LoadTedForDat(const QString& datPath);

} // namespace ModTestData
