#include "dealer/widgets/FieldWidth.h"

#include "platform/Ansi.h"

#include <QLineEdit>
#include <QRegularExpressionValidator>

namespace Halbrek {

namespace {

class FieldValidator final : public QRegularExpressionValidator {
public:
    FieldValidator(int width, const QString& allowed, QObject* parent)
        : QRegularExpressionValidator(QRegularExpression(allowed), parent), width_(width) {}

    State validate(QString& input, int& pos) const override {
        if (Platform::StringToAnsi(input).size() > width_) return Invalid;
        return QRegularExpressionValidator::validate(input, pos);
    }

private:
    int width_;
};

} // namespace

void LimitToField(QLineEdit* box, int width, const QString& allowed) {
    box->setMaxLength(width);
    box->setValidator(new FieldValidator(width, allowed, box));
}

} // namespace Halbrek
