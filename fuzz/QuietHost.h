#pragma once

#include "core/base/Progress.h"
#include "core/doc/UiHost.h"

#include <memory>
#include <string>

// A desktop for the fuzzers: it answers every question and shows nothing.
class CQuietHost final : public torvane::CUiHost {
public:
    torvane::MessageAnswer ShowMessage(torvane::MessageKind, const torvane::CMessage&,
                                       torvane::MessageButtons) override {
        return torvane::MessageAnswer::Ok;
    }
    void Beep() override {}
    void SetWaitCursor(bool) override {}
    bool LoadTypeIcon(const std::string&, int) override { return false; }
    std::unique_ptr<torvane::CProgress> OpenProgress() override {
        return std::make_unique<torvane::CProgress>();
    }
};
