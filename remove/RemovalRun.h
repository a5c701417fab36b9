// CRemovalRun: the whole removal: the question, the removal with the
// progress panel showing, and the final report. In a quiet run there is
// neither question nor panel nor box.
#pragma once
#include "../outcome/Outcome.h"

class CRemovalRun
{
public:
    explicit CRemovalRun(COutcome& outcome);
    void Run();

private:
    CRemovalRun(const CRemovalRun&);
    CRemovalRun& operator=(const CRemovalRun&);

    COutcome& m_outcome;
};
