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
// Writes the file as exactly the 16 bytes. False when it failed.
bool WriteTestFile(const QString& path, const TTestBlock& source);
void LoadTedForDat(const QString& datPath);
bool SaveTedForDat(const QString& datPath);

} // namespace ModTestData
