#include "sync/sync_questions.h"

#include "store/diary.h"
#include "store/rtf_text.h"
#include "sync/day_resource.h"

namespace {

std::wstring Shown(const std::wstring& title1, const std::wstring& title2, std::wstring note) {
    const size_t end = note.find_last_not_of(L" \t\r\n");
    note.erase(end == std::wstring::npos ? 0 : end + 1);
    std::wstring text = title1.empty() || title2.empty() ? title1 + title2 : title1 + L" " + title2;
    if (text.empty()) text = L"(nincs címe)";
    if (!note.empty()) text += L"\r\n\r\n" + note;
    // A read-only box shows line breaks only as CR LF.
    std::wstring out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\n' && (i == 0 || text[i - 1] != L'\r')) out += L'\r';
        out += text[i];
    }
    return out;
}

}  // namespace

std::vector<QuestionView> ViewQuestions(const SyncState& state, Diary& diary) {
    std::vector<QuestionView> views;
    for (const SyncQuestion& q : state.questions) {
        QuestionView view;
        view.date = q.date;
        view.what = q.kind == SyncQuestion::Kind::NoteText ? L"A kiszolgálón megváltozott a jegyzet szövege"
                                                           : L"A gépen és a kiszolgálón mást tartalmaz";
        const OpenedDay day = diary.Open(q.date);
        view.here = day.hasLine ? Shown(day.entry.title1, day.entry.title2, day.note ? RtfToPlainText(*day.note) : L"")
                                : L"(nincs bejegyzés)";
        const RemoteDay remote = ReadRemoteDay(q.remote, diary.AllDayMinute());
        view.there = remote.day ? Shown(remote.day->title1, remote.day->title2, remote.day->noteText)
                                : L"(olvashatatlan: " + remote.passedOver + L")";
        views.push_back(std::move(view));
    }
    return views;
}
