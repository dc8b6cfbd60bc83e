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
// Reads the first 16 bytes of the file when it exists; nothing otherwise.
void ReadTestFile(const QString& path, TTestBlock& destination);
// The 16 bytes of a ".ted" file.
QByteArray TestFileBytes(const TTestBlock& block);
// Replaces the file by exactly the 16 bytes, as a configuration is saved.
// False when it failed; the message was shown.
bool WriteTestFile(const QString& path, const TTestBlock& source);
void LoadTedForDat(const QString& datPath);

} // namespace ModTestData
