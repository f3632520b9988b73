// What the questions window shows of each question the sync left for the user: the
// day, what happened, and the two versions as text side by side.
#pragma once

#include <string>
#include <vector>

#include "sync/sync_state.h"

class Diary;

struct QuestionView {
    Date date;
    std::wstring what;        // "A gépen és a kiszolgálón mást tartalmaz", "A kiszolgálón megváltozott a jegyzet szövege"
    std::wstring here, there;  // the titles on the first line, then the note's text
};

// Throws FileOpenError when a day's note cannot be read.
std::vector<QuestionView> ViewQuestions(const SyncState& state, Diary& diary);
