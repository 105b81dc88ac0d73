#pragma once

namespace quorstat {

// The lottery and play the user works with, and what follows from them; the bet-number,
// issue and position helpers read their rules from here.
struct PlayState {
    int lotteryId = 0;
    int playId = 0;
    int starCount = 0;
    int orderedPlay = 0;
    int minDigit = 0;
    int maxDigit = 0;
    int positionCount = 0;
    int digitFamily = 0;
    int currentIssue = 0;
    int issuesPerDay = 0;

    void selectLottery(int id);
    void selectPlay(int id);
};

}  // namespace quorstat
