#pragma once

#include <QtGlobal>
#include <array>

// The items the batch channel page offers, kept from run to run in the 20-byte
// file "BatchFun.ini" beside the program.
namespace ModBatch {

inline constexpr int kBatchItemCount = 20;

// Loads the flags once at start-up; without a file it is created with every
// item offered. A file shorter than 20 bytes leaves the items beyond its end
// offered. Errors are silent.
void LoadBatchFlags();
// Every item offered.
void DefaultBatchFlags();
// Writes the twenty flags as the file's first 20 bytes. False when it failed.
bool SaveBatchFlags();
// The check-box value of a flag byte: 1 for any non-zero byte, else 0.
int FlagToBool(quint8 flag);

} // namespace ModBatch

// One byte per batch item (order of the batch page's item table); non-zero:
// the item is offered and written by Apply.
extern std::array<quint8, ModBatch::kBatchItemCount> gBatchFunFlags;
