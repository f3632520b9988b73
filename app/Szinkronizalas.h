// The calendar sync's account window ("Továbbiak" / "Szinkronizálás…"): the server's
// or the calendar's address, the user name and the password; "Kapcsolat próbája" finds
// the user's calendars (on a thread of its own: the window never waits for the
// network), "Új naptár" makes one named "Tivorn". The password is handed over only
// protected for the current user. House style: outer panel, title strip with its close
// button, Escape closes. Made at each use.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "app/sync_service.h"
#include "sync/caldav_discovery.h"
#include "ui/control_table.h"
#include "ui/drawn_panel.h"
#include "ui/form.h"
#include "ui/panel.h"
#include "ui/speed_button.h"

class Tfrm_Szinkronizalas : public Form {
public:
    // The transport for a connection test: the typed password, or none to use the stored one.
    using Connect = std::function<std::unique_ptr<HttpTransport>(const std::wstring& user,
                                                                 const std::optional<std::string>& password)>;
    using Protect = std::function<std::string(const std::string& password)>;
    Tfrm_Szinkronizalas(SyncAccount account, Connect connect, Protect protect, COLORREF outer, COLORREF inner);
    ~Tfrm_Szinkronizalas() override;

    BevelPanel p{L"p"};
    BevelPanel pCim{L"pCim"};
    SpeedButton sbBezar{L"sbBezar"};
    BevelPanel Panel1{L"Panel1"};
    Button cbSzinkron;
    Edit edCim, edFelhasznalo, edJelszo;
    Button btnProba, btnUjNaptar;
    ComboBox cmbNaptar;
    DrawnPanel lblAllapot{L"lblAllapot"}, lblJelszoMegj{L"lblJelszoMegj"};
    Button btnRendben, btnMegsem;

    static std::span<const ControlRow<Tfrm_Szinkronizalas>> Controls();

    // The account as the user left it (after "Rendben").
    SyncAccount Account() const { return result_; }
    // What the window says about the connection ("Kapcsolódás…", the calendars found, an error).
    std::wstring StatusText() const { return status_; }
    bool Busy() const { return pending_ != nullptr; }

    void btnProbaClick();
    void btnUjNaptarClick();
    void btnRendbenClick();
    void sbBezarClick();

protected:
    void FormCreate() override;
    void FormShow() override;
    bool FormKeyPress(wchar_t key) override;
    void OnTimer(UINT_PTR id) override;

private:
    struct Pending;
    // Runs `work` on a thread with a transport of what is typed; `done` gets its result
    // (or its error text) on the window's thread.
    void Start(std::function<Discovery(HttpTransport&)> work, std::wstring busyText);
    void Finished(const Discovery& found, const std::wstring& error);
    void SetStatus(std::wstring text);
    std::optional<std::string> TypedPassword() const;
    std::string AddressUrl() const;

    SyncAccount account_, result_;
    Connect connect_;
    Protect protect_;
    COLORREF outer_, inner_;
    std::wstring status_;
    Discovery found_;
    std::shared_ptr<Pending> pending_;
    bool chooseFirst_ = false;  // a calendar is being made: it is the one chosen
};
