#include "data/ModCommFun.h"

#include "data/ModFreFile.h"
#include "data/ModFun.h"

namespace ModCommFun {

void StoreModelInfo(TModelInfo& info) {
    info.ModelName.Assign(gModelName);
    info.BandCode = static_cast<qint16>(ModFreFile::BandTextToCode(gBandText));
}

void ApplyModelInfo(TModelInfo& info) {
    const QString name = ModFun::TrimNull(info.ModelName.Text());
    info.ModelName.Assign(name);
    gModelName = name;
    gBandText = ModFreFile::BandCodeToText(info.BandCode);
    gLocalInfo.BandCode = info.BandCode;
    ModFun::ParseBandLimits();
}

} // namespace ModCommFun
