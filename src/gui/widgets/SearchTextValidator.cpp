#include "gui/widgets/SearchTextValidator.h"

namespace torvane {

QValidator::State CSearchTextValidator::validate(QString& input, int& /*pos*/) const {
    for (QChar& c : input)
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            c = c.toLower();
    return input.toUtf8().size() <= MaxBytes ? Acceptable : Invalid;
}

} // namespace torvane
