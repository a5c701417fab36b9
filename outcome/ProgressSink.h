// CProgressSink: where a walk over the catalogue reports its rows. The base
// shows nothing and waits for nobody: a quiet run's.
#pragma once
#include <windows.h>

class CProgressSink
{
public:
    virtual ~CProgressSink() {}
    // At the start of every row.
    virtual void StepRow() {}
    // After every item a walker handles.
    virtual void PauseAfterItem() {}
};

// A bar someone watches: one step per row, and a pause after each item so
// that the eye can follow.
template <class Bar>
class CShownProgress : public CProgressSink
{
public:
    explicit CShownProgress(Bar& bar) : m_bar(bar) {}
    virtual void StepRow() { m_bar.StepIt(); }
    virtual void PauseAfterItem() { ::Sleep(ITEM_PAUSE_MS); }

    // The pause after every item.
    static const DWORD ITEM_PAUSE_MS = 100;

private:
    Bar& m_bar;
};
