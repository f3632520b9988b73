#include "app/Szinkronizalas.h"

#include <algorithm>
#include <mutex>
#include <thread>

#include "platform/errors.h"
#include "sync/caldav_sync.h"
#include "sync/dav_url.h"
#include "ui/secondary_frame.h"
#include "ui/secondary_rows.h"

namespace {

constexpr int kWidth = 540, kHeight = 318;
constexpr int kPanelW = kWidth - 8, kPanelH = kHeight - 36;
constexpr int kFieldX = 206, kFieldW = kPanelW - kFieldX - 12;
constexpr UINT_PTR kPollTimer = 1;
constexpr const wchar_t* kNewCalendarName = L"Tivorn";

}  // namespace

// A connection test under way: its thread fills this and the window's timer takes it.
struct Tfrm_Szinkronizalas::Pending {
    std::mutex mutex;
    bool done = false;
    Discovery found;
    std::wstring error;
};

Tfrm_Szinkronizalas::Tfrm_Szinkronizalas(SyncAccount account, Connect connect, Protect protect, COLORREF outer,
                                         COLORREF inner)
    : Form(SecondaryWindowOptions(L"TivornSzinkronizalasWindow", kWidth, kHeight)),
      account_(std::move(account)),
      result_(account_),
      connect_(std::move(connect)),
      protect_(std::move(protect)),
      outer_(outer),
      inner_(inner) {}

// A test still running ends on its own thread (its timeouts bound it); the window
// only stops waiting for it.
Tfrm_Szinkronizalas::~Tfrm_Szinkronizalas() = default;

std::span<const ControlRow<Tfrm_Szinkronizalas>> Tfrm_Szinkronizalas::Controls() {
    using T = Tfrm_Szinkronizalas;
    static const ControlRow<T> rows[] = {
        CloseButtonRow<T>(kWidth - 44, &T::sbBezarClick),
        WorkingPanelRow<T>(kPanelW, kPanelH),
        {.name = L"cbSzinkron", .field = &T::cbSzinkron, .parent = &T::Panel1, .x = 12, .y = 10, .w = 400, .h = 18,
         .text = L"&Szinkronizálás bekapcsolva", .style = BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP,
         .hint = L"Bekapcsolva a program indításkor, változás után és ötpercenként szinkronizál"},
        {.name = L"Label1", .field = {}, .parent = &T::Panel1, .x = 12, .y = 42, .text = L"A kiszolgáló vagy a naptár címe:"},
        {.name = L"edCim", .field = &T::edCim, .parent = &T::Panel1, .x = kFieldX, .y = 38, .w = kFieldW, .h = 21,
         .hint = L"Például felho.pelda.hu, vagy egy naptár teljes címe (https://…/)"},
        {.name = L"Label2", .field = {}, .parent = &T::Panel1, .x = 12, .y = 70, .text = L"Felhasználónév:"},
        {.name = L"edFelhasznalo", .field = &T::edFelhasznalo, .parent = &T::Panel1, .x = kFieldX, .y = 66,
         .w = kFieldW, .h = 21, .hint = L"A naptárkiszolgálón használt felhasználónév"},
        {.name = L"Label3", .field = {}, .parent = &T::Panel1, .x = 12, .y = 98, .text = L"Jelszó:"},
        {.name = L"edJelszo", .field = &T::edJelszo, .parent = &T::Panel1, .x = kFieldX, .y = 94, .w = kFieldW,
         .h = 21, .style = ES_PASSWORD, .hint = L"Üresen hagyva a tárolt jelszó marad"},
        {.name = L"btnProba", .field = &T::btnProba, .parent = &T::Panel1, .x = kFieldX, .y = 126, .w = 150, .h = 25,
         .text = L"&Kapcsolat próbája", .handler = &T::btnProbaClick, .style = BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP,
         .hint = L"Kapcsolódik a kiszolgálóhoz és megkeresi a naptárakat"},
        {.name = L"btnUjNaptar", .field = &T::btnUjNaptar, .parent = &T::Panel1, .x = kFieldX + 158, .y = 126,
         .w = 150, .h = 25, .text = L"Ú&j naptár: Tivorn", .handler = &T::btnUjNaptarClick,
         .style = BS_PUSHBUTTON | WS_TABSTOP, .hint = L"Új, „Tivorn” nevű naptárat hoz létre a kiszolgálón"},
        {.name = L"Label4", .field = {}, .parent = &T::Panel1, .x = 12, .y = 166, .text = L"Naptár:"},
        {.name = L"cmbNaptar", .field = &T::cmbNaptar, .parent = &T::Panel1, .x = kFieldX, .y = 162, .w = kFieldW,
         .h = 200, .style = WS_GROUP, .hint = L"Ezzel a naptárral szinkronizál a program"},
        {.name = L"lblAllapot", .field = &T::lblAllapot, .parent = &T::Panel1, .x = 12, .y = 194, .w = kPanelW - 24,
         .h = 16},
        {.name = L"lblJelszoMegj", .field = &T::lblJelszoMegj, .parent = &T::Panel1, .x = 12, .y = 214,
         .w = kPanelW - 24, .h = 16, .text = L"A jelszót a Windows az Ön felhasználójához kötve, titkosítva őrzi."},
        {.name = L"btnRendben", .field = &T::btnRendben, .parent = &T::Panel1, .x = kPanelW - 8 - 184,
         .y = kPanelH - 36, .w = 90, .h = 25, .text = L"Rendben", .handler = &T::btnRendbenClick,
         .style = BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, .id = IDOK},
        {.name = L"btnMegsem", .field = &T::btnMegsem, .parent = &T::Panel1, .x = kPanelW - 8 - 90, .y = kPanelH - 36,
         .w = 80, .h = 25, .text = L"Mégsem", .style = BS_PUSHBUTTON | WS_TABSTOP, .id = IDCANCEL},
    };
    return rows;
}

void Tfrm_Szinkronizalas::FormCreate() {
    CreateOuterPanel(p, *this);
    p.SetColor(outer_);
    CreateTitlePanel(pCim, p, kWidth - 44, L"  Szinkronizálás naptárkiszolgálóval");
    pCim.SetColor(inner_);
    for (DrawnPanel* label : {&lblAllapot, &lblJelszoMegj}) {
        label->BevelOuter = Bevel::None;
        label->CaptionAlignment = Alignment::Left;
    }
    BuildControls(*this, Controls());
    Panel1.SetColor(inner_);
    for (DrawnPanel* label : {&lblAllapot, &lblJelszoMegj}) label->SetColor(inner_);
    cbSzinkron.SetChecked(account_.on);
    edCim.SetText(account_.address.empty() ? Utf8ToWide(account_.calendarUrl) : account_.address);
    edFelhasznalo.SetText(account_.user);
    if (!account_.calendarUrl.empty()) {
        found_.calendars.push_back({account_.calendarUrl, Utf8ToWide(account_.calendarUrl), true, true});
        cmbNaptar.Add(Utf8ToWide(account_.calendarUrl));
        cmbNaptar.SetSelectedIndex(0);
    }
    btnUjNaptar.SetEnabled(false);  // the home of new calendars comes with a connection test
    SetStatus(account_.calendarUrl.empty() ? L"Adja meg a címet és a belépési adatokat, majd próbálja ki a kapcsolatot."
                                           : L"Beállított naptár: " + Utf8ToWide(account_.calendarUrl));
    OnCommand(IDCANCEL, [this] { sbBezarClick(); });
}

void Tfrm_Szinkronizalas::FormShow() {
    if (account_.calendarUrl.empty())
        edCim.Focus();
    else
        cbSzinkron.Focus();
}

void Tfrm_Szinkronizalas::SetStatus(std::wstring text) {
    status_ = std::move(text);
    lblAllapot.SetCaption(status_);
}

std::optional<std::string> Tfrm_Szinkronizalas::TypedPassword() const {
    const std::wstring typed = edJelszo.Text();
    if (typed.empty()) return std::nullopt;
    return WideToUtf8(typed);
}

std::string Tfrm_Szinkronizalas::AddressUrl() const {
    return AddressFromUserText(edCim.Text()).value_or(std::string());
}

void Tfrm_Szinkronizalas::Start(std::function<Discovery(HttpTransport&)> work, std::wstring busyText) {
    if (pending_) return;
    std::shared_ptr<HttpTransport> http = connect_(edFelhasznalo.Text(), TypedPassword());
    auto pending = std::make_shared<Pending>();
    std::thread([pending, http, work = std::move(work)] {
        Discovery found;
        std::wstring error;
        try {
            found = work(*http);
        } catch (const AppError& e) {
            error = e.Text();
        } catch (const std::exception& e) {
            error = Utf8ToWide(e.what());
        }
        std::lock_guard lock(pending->mutex);
        pending->found = std::move(found);
        pending->error = std::move(error);
        pending->done = true;
    }).detach();
    pending_ = std::move(pending);
    for (Button* b : {&btnProba, &btnUjNaptar, &btnRendben}) b->SetEnabled(false);
    SetStatus(std::move(busyText));
    SetTimer(Handle(), kPollTimer, 100, nullptr);
}

void Tfrm_Szinkronizalas::OnTimer(UINT_PTR id) {
    if (id != kPollTimer || !pending_) return;
    Discovery found;
    std::wstring error;
    {
        std::lock_guard lock(pending_->mutex);
        if (!pending_->done) return;
        found = std::move(pending_->found);
        error = std::move(pending_->error);
    }
    KillTimer(Handle(), kPollTimer);
    pending_.reset();
    Finished(found, error);
}

void Tfrm_Szinkronizalas::Finished(const Discovery& found, const std::wstring& error) {
    btnProba.SetEnabled(true);
    btnRendben.SetEnabled(true);
    if (!error.empty()) {
        chooseFirst_ = false;
        btnUjNaptar.SetEnabled(!found_.home.empty());
        SetStatus(L"Sikertelen: " + error);
        return;
    }
    const std::string chosen = cmbNaptar.SelectedIndex() >= 0 && static_cast<size_t>(cmbNaptar.SelectedIndex()) < found_.calendars.size()
                                   ? found_.calendars[static_cast<size_t>(cmbNaptar.SelectedIndex())].url
                                   : account_.calendarUrl;
    found_ = found;
    cmbNaptar.Clear();
    int select = -1;
    for (const CalendarInfo& c : found_.calendars) {
        const int index = cmbNaptar.Add(c.supportsEvents ? c.name : c.name + L" (eseményeket nem tárol)");
        if (SameResource(c.url, chosen) || (select < 0 && c.supportsEvents && chosen.empty())) select = index;
    }
    if (chooseFirst_ && !found_.calendars.empty()) select = 0;  // the calendar just made
    chooseFirst_ = false;
    if (select >= 0) cmbNaptar.SetSelectedIndex(select);
    btnUjNaptar.SetEnabled(!found_.home.empty());
    SetStatus(found_.calendars.empty() ? L"A kapcsolat jó, de még nincs naptár: hozzon létre egyet (Új naptár)."
                                       : L"A kapcsolat jó: " + std::to_wstring(found_.calendars.size()) + L" naptár található.");
}

void Tfrm_Szinkronizalas::btnProbaClick() {
    const std::string address = AddressUrl();
    if (address.empty()) {
        SetStatus(L"A cím nem érvényes: adjon meg egy gépnevet vagy egy http(s):// kezdetű címet.");
        edCim.Focus();
        return;
    }
    Start([address](HttpTransport& http) { return DiscoverCalendars(http, address); }, L"Kapcsolódás…");
}

void Tfrm_Szinkronizalas::btnUjNaptarClick() {
    if (found_.home.empty()) return;
    const std::string home = found_.home;
    chooseFirst_ = true;
    Start(
        [home](HttpTransport& http) {
            const std::string url = MakeCalendar(http, home, kNewCalendarName);
            Discovery found = DiscoverCalendars(http, home);
            found.home = home;
            // The new calendar first, so it is the one chosen.
            std::stable_partition(found.calendars.begin(), found.calendars.end(),
                                  [&](const CalendarInfo& c) { return SameResource(c.url, url); });
            return found;
        },
        L"Naptár létrehozása…");
}

void Tfrm_Szinkronizalas::btnRendbenClick() {
    if (pending_) return;
    SyncAccount account = account_;
    account.on = cbSzinkron.Checked();
    account.address = edCim.Text();
    account.user = edFelhasznalo.Text();
    const int chosen = cmbNaptar.SelectedIndex();
    if (chosen >= 0 && static_cast<size_t>(chosen) < found_.calendars.size())
        account.calendarUrl = found_.calendars[static_cast<size_t>(chosen)].url;
    if (const auto typed = TypedPassword()) account.protectedPassword = protect_(*typed);
    if (account.on && account.calendarUrl.empty()) {
        SetStatus(L"Válasszon naptárat: próbálja ki a kapcsolatot, vagy hozzon létre egy új naptárat.");
        btnProba.Focus();
        return;
    }
    result_ = std::move(account);
    Close(mrOk);
}

void Tfrm_Szinkronizalas::sbBezarClick() { Close(mrCancel); }

bool Tfrm_Szinkronizalas::FormKeyPress(wchar_t key) {
    return EscapeCloses(key, [this] { sbBezarClick(); });
}
