#include "data/ModFreFile.h"

#include "data/ModCommFun.h"
#include "data/RadioData.h"

namespace ModFreFile {

namespace {
struct BandRow {
    int code;
    const char* text;
};
constexpr BandRow kBands[] = {
    {0, "400 - 480 MHz"},  {1, "430 - 450 MHz"},  {2, "400 - 440 MHz"},  {3, "440 - 512 MHz"},
    {4, "400 - 450 MHz"},  {5, "450 - 480 MHz"},  {6, "430 - 440 MHz"},  {7, "430 - 480 MHz"},
    {8, "136 - 174 MHz"},  {9, "136 - 150 MHz"},  {10, "150 - 174 MHz"}, {11, "136 - 145 MHz"},
    {12, "145 - 174 MHz"}, {13, "144 - 146 MHz"}, {14, "144 - 148 MHz"}, {16, "350 - 390 MHz"},
    {32, "450 - 520 MHz"},
};
} // namespace

const QStringList& ModelNames() {
    static const QStringList names = {QStringLiteral("KL740"), QStringLiteral("KL740G")};
    return names;
}

const QStringList& BandTexts() {
    static const QStringList texts = [] {
        QStringList t;
        for (const BandRow& r : kBands)
            t << QString::fromLatin1(r.text);
        return t;
    }();
    return texts;
}

const QList<int>& BandCodes() {
    static const QList<int> codes = [] {
        QList<int> c;
        for (const BandRow& r : kBands)
            c << r.code;
        return c;
    }();
    return codes;
}

QString BandCodeToText(int code) {
    for (const BandRow& r : kBands)
        if (r.code == code) return QString::fromLatin1(r.text);
    return {};
}

int BandTextToCode(const QString& text) {
    for (const BandRow& r : kBands)
        if (text == QLatin1String(r.text)) return r.code;
    return 0;
}

void SyncFileFromEdit() {
    gFileExtraData = gEditExtraData;
    ModCommFun::StoreModelInfo(gEditData.ModelInfo);
    gFileData = gEditData;
}

void TakeAllFromFile() {
    gEditExtraData = gFileExtraData;
    gEditData = gFileData;
    ModCommFun::StoreModelInfo(gEditData.ModelInfo);
    gFileData = gEditData;
}

void TakeEditFromFile() {
    gEditExtraData = gFileExtraData;
    gEditData = gFileData;
    ModCommFun::ApplyModelInfo(gEditData.ModelInfo);
}

void TakeSettingsFromFile() {
    gEditExtraData = gFileExtraData;
    ModCommFun::StoreModelInfo(gEditData.ModelInfo);
    gEditData.Settings = gFileData.Settings;
    gEditData.RadioFreList = gFileData.RadioFreList;
    gEditData.TestFreList = gFileData.TestFreList;
    gFileData.Settings = gEditData.Settings;
}

} // namespace ModFreFile
