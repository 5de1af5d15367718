// A translation host kept in plain memory, for the command-line tools,
// benchmarks and tests: no panels, no events, no cancel.
#pragma once

#include <string>

#include "dictionary/store.h"
#include "engine/host.h"
#include "engine/worklist.h"

namespace engine {

class MemoryHost final : public TranslationHost {
public:
    explicit MemoryHost(const dict::LookupView* view = nullptr) : m_view(view) {}

    void setLookupView(const dict::LookupView* view) { m_view = view; }

    const dict::LookupView* lookupView() override { return m_view; }
    WorkList& arrangementList() override { return m_arrangement; }
    WorkList& missingWordList() override { return m_missing; }
    void yield() override {}
    bool cancelRequested() const override { return false; }
    void clearCancelRequest() override {}
    void setProgressPercent(int percent) override { m_progress = percent; }
    void setPanelVisible(Panel, bool) override {}
    void setThaiText(std::string_view text) override { m_thai = text; }

    const MemoryWorkList& arrangement() const { return m_arrangement; }
    const MemoryWorkList& missing() const { return m_missing; }
    const std::string& thai() const { return m_thai; }
    int progress() const { return m_progress; }

private:
    const dict::LookupView* m_view;
    MemoryWorkList m_arrangement;
    MemoryWorkList m_missing;
    std::string m_thai;
    int m_progress = 0;
};

}  // namespace engine
