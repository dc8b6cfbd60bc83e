#pragma once

#include "data/FixedText.h"
#include "pages/FeaturePage.h"
#include "platform/Forms.h"

#include <array>

class QLineEdit;

// The embedded message page: four lines of at most 16 characters. Each change
// of a line is stored at once, so the page has nothing left to commit.
//
// Controls: Text1 (0..3), CommandClose, CommandHelp.
class FrmEmbMsg final : public Pages::FeaturePage, public Platform::Forms::Committing {
    Q_OBJECT
public:
    explicit FrmEmbMsg(QWidget* parent = nullptr);

    // Every line is stored as it is typed: nothing is left to commit.
    void ValidateControls() override {}

    // A line as it is stored: a text shorter than 16 characters is followed
    // by one NUL and blanks up to 16; a longer one is cut to 16.
    static void StoreLine(FixedText<16>& line, const QString& text);

private:
    void ChangShowByLanguage() override;
    void ShowPageData() override;

    std::array<QLineEdit*, 4> Text1{};
};
