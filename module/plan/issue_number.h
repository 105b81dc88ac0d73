#pragma once

namespace quorstat {

// Issue numbers are YYMMDDNNN: the draw date 20YY-MM-DD and the draw's sequence number that
// day, 1..issuesPerDay. Both functions give 0 for an unlisted lottery, issuesPerDay outside
// 1..999, an issue whose date part is no calendar date or whose sequence number is 0, and
// results outside the years 2000..2099.

// The count-th issue of the run that starts with firstIssue (count 1 gives firstIssue back).
int LastIssueOfRun(int firstIssue, int count, int lotteryId, int issuesPerDay);

// The issue n issues before issue; n may reach back over several days.
int IssueBefore(int issue, int n, int lotteryId, int issuesPerDay);

}  // namespace quorstat
