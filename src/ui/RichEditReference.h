// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "richtext/RichEditControl.h"

// Lets a RichEditControl owned elsewhere (a widget owned by its window) stand
// where an owning pointer is expected.
class RichEditReference : public RichEditControl {
public:
    explicit RichEditReference(RichEditControl& target) : m_target(target) {}

    bool StreamRtfIn(std::string_view rtf) override { return m_target.StreamRtfIn(rtf); }
    std::string StreamRtfOut() const override { return m_target.StreamRtfOut(); }
    int TextLength() const override { return m_target.TextLength(); }
    void SetSelection(int start, int end) override { m_target.SetSelection(start, end); }
    void SelectAll() override { m_target.SelectAll(); }
    void CollapseToStart() override { m_target.CollapseToStart(); }
    CharFormat SelectionCharFormat() const override { return m_target.SelectionCharFormat(); }
    void SetSelectionCharFormat(const CharFormat& f) override { m_target.SetSelectionCharFormat(f); }
    void SetDefaultCharFormat(const CharFormat& f) override { m_target.SetDefaultCharFormat(f); }
    void SetBackgroundColour(std::uint32_t c) override { m_target.SetBackgroundColour(c); }
    std::uint32_t BackgroundColour() const override { return m_target.BackgroundColour(); }
    void ScrollToFirstLine() override { m_target.ScrollToFirstLine(); }

    RichEditControl& Target() const { return m_target; }

private:
    RichEditControl& m_target;
};
