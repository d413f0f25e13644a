// The promises checked after every action of a random-use run: no Qt warning and no exception
// at the event loop; a refused action changes nothing; the component's SQL parses, loads into
// a fresh component and comes back the same from the second load on, with the rows the
// component's SQL returns on the sample; the widgets show what the model holds.
#pragma once

#include "vxSampleRows.h"

#include <string>

namespace vxrandom {

class TRandomUseRig;

// A broken promise: which check (a short name, the same for the same fault) and what it saw.
struct TvxCheckFailure {
  std::string Check;
  std::string Message;
  bool IsFailure() const { return !Check.empty(); }
};

// What an action did besides its effect on the model.
struct TvxActionOutcome {
  std::string SQLBefore;
  // The model refused: an EvxException came back from a model call, or the component reported
  // through actionFailed or sqlError.
  bool Refused = false;
  std::string RefusalMessage;
  // An exception that should not have come back at all (from a user's event, or no EvxException).
  std::string UnexpectedException;
};

class TvxStateChecks {
public:
  TvxCheckFailure Check(TRandomUseRig& Rig, const TvxActionOutcome& Outcome);

  // How often the rows were compared, and skipped because the component's SQL did not run on
  // SQLite or ran past the budget.
  int GetRowComparisons() const { return FRowComparisons; }
  int GetRowSkips() const { return FRowSkips; }

private:
  TvxCheckFailure CheckReload(TRandomUseRig& Rig, const std::string& SQL);
  TvxCheckFailure CheckRows(const std::string& SQL, const std::string& Reloaded);
  static TvxCheckFailure CheckWidgets(TRandomUseRig& Rig);

  TvxSampleRows FSample;
  int FRowComparisons = 0;
  int FRowSkips = 0;
};

}  // namespace vxrandom
