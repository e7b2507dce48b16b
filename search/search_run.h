#pragma once
// The search run (the handler of the search button): from the typed term to
// ACT!'s lookup.
//
// It asks ActDB for every contact whose COMPANY or NAME contains the term in
// any letter case, walks the rows while it reports the count in the status
// panel and the progress in the progress bar, collects each row's UNIQUE_ID
// padded to 12 characters into one ID list, hands that list to ActView
// (LookupAll, then CreateLookup), stores the term on top of the history and
// ends the program. It yields to the dialog's pending events at fixed points,
// so Escape or the cancel button can end the program in the middle of a run.
//
// The run returns, with the dialog usable again, when
//   - the term box is empty (only the focus moves there),
//   - nothing was found and the user wants to enter a new term,
//   - the query failed (ActDB has shown its report and given no rows).
// In every other case it ends the program: through ende after a lookup or
// when the user wants no new term; at once, with the "(CView2)" message and
// without storing the history, when the view is gone or an automation call
// fails.
//
// Rows whose UNIQUE_ID is missing or longer than 12 characters have no place
// in the fixed-width list: they are counted and shown in the progress like
// every row but left out of the list, and the final status counts the IDs
// actually handed over. When no row has a usable ID, the run ends as a search
// without hits.

#include <cstdint>

#include "search/search_dialog_view.h"
#include "search/search_services.h"

namespace search {

void runSearch(SearchDialogView& view, const SearchServices& services);

// The interval of the row loop's second yield: the whole number nearest to
// rowCount / 10 + 1, halfway cases to the even number. The loop yields a
// second time for every row number that is not a multiple of it.
std::int32_t secondYieldInterval(std::int32_t rowCount);

}  // namespace search
