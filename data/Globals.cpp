#include "data/RadioData.h"
#include "data/SharedState.h"

TRadioData gEditData;
TRadioData gFileData;
TExtraData gEditExtraData;
TExtraData gFileExtraData;
TTestData gEditTestBlock;
TTestData gFileTestBlock;
TLocalInfo gLocalInfo;
std::array<TTestFre, kFixedTestPairCount> gFixedTestFreqs{};

QString gModelName = QStringLiteral("KL740");
QString gBandText = QStringLiteral("400 - 480 MHz");
double gBandLimits[2] = {400.0, 480.0};
QString gDataFileName = QStringLiteral("new.dat");
bool gIsUntitled = true;
bool gInitAllChannels = false;
bool gTestDataOn = false;

int gGridGroup = 0;
int gGridRow = 1;
int gEditGroup = 0;
int gEditRow = 1;
int gEditCol = 1;
bool gFormChInfoShown = false;
bool gFormCHInfoEditShown = false;
bool gSkipCellCheck = false;
bool gSkipEnterCell = false;

THabits gHabits;

int gLock = 0;
bool gHelpOn = false;

int gCommType = 0;
int gReadStep = 0;
int gWriteStep = 0;
