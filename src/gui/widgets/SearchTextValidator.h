#pragma once

#include <QValidator>

namespace torvane {

// The search field's rule: letters A-Z typed are lowered, and the text holds at most 250 bytes.
class CSearchTextValidator final : public QValidator {
public:
    static constexpr int MaxBytes = 250;
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override;
};

} // namespace torvane
