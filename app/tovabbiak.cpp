#include "app/tovabbiak.h"

#include <utility>

#include "app/main.h"
#include "app/shortcut_text.h"
#include "lists/Kereses.h"

const std::vector<TovabbiakItem>& TovabbiakItems() {
    static const std::vector<TovabbiakItem> items = {
        {L"mniKereses", L"Keresés a naplóban", 'F', FCONTROL, &Tfrm_Main::mniKeresesClick},
        {L"mniMentesek", L"Biztonsági mentések…", 'B', FCONTROL, &Tfrm_Main::mniMentesekClick},
        {nullptr, nullptr},
        {L"mniHaviNaptar", L"Havi naptár nyomtatása", 'P', FCONTROL, &Tfrm_Main::mniHaviNaptarClick},
        {L"mniIcalExport", L"Exportálás iCalendar fájlba…", 'E', FCONTROL, &Tfrm_Main::mniIcalExportClick},
        {L"mniNevnapIcal", L"Névnapok iCalendar fájlba…", 'E', FCONTROL | FSHIFT, &Tfrm_Main::mniNevnapIcalClick},
        {L"mniIcalImport", L"Importálás iCalendar fájlból…", 'I', FCONTROL, &Tfrm_Main::mniIcalImportClick},
        {nullptr, nullptr},
        {L"mniMunkaszunet", L"Magyar munkaszüneti napok…", 'M', FCONTROL, &Tfrm_Main::mniMunkaszunetClick},
        {L"mniHosszuHetvegek", L"Hosszú hétvégék", 'H', FCONTROL, &Tfrm_Main::mniHosszuHetvegekClick},
        {nullptr, nullptr},
        {L"mniEmlekeztetok", L"Emlékeztetők…", 'R', FCONTROL, &Tfrm_Main::mniEmlekeztetokClick},
        {L"mniIsmerosok", L"Névnapok – ismerőseim…", 'N', FCONTROL, &Tfrm_Main::mniIsmerosokClick},
        {nullptr, nullptr},
        {L"mniSzinkronizalas", L"Szinkronizálás…", 'S', FCONTROL | FSHIFT, &Tfrm_Main::mniSzinkronizalasClick},
        {L"mniSzinkronMost", L"Szinkronizálás most", VK_F9, 0, &Tfrm_Main::mniSzinkronMostClick},
        {L"mniSzinkronKerdesek", L"Szinkronizálási kérdések…", 'K', FCONTROL | FSHIFT,
         &Tfrm_Main::mniSzinkronKerdesekClick},
    };
    return items;
}

static_assert(kKeyF1 == VK_F1 && kKeyF24 == VK_F24, "the core names the function keys by their codes");

std::wstring ShortcutText(WORD key, BYTE modifiers) {
    return ShortcutText(ShortcutKeys{key, (modifiers & FCONTROL) != 0, (modifiers & FSHIFT) != 0,
                                     (modifiers & FALT) != 0});
}

std::wstring MenuText(const TovabbiakItem& item) {
    std::wstring text = item.caption ? item.caption : L"";
    std::wstring shortcut = ShortcutText(item.key, item.modifiers);
    if (!shortcut.empty()) text += L"\t" + shortcut;
    return text;
}

AcceleratorTable::AcceleratorTable(const std::vector<ACCEL>& entries) {
    if (!entries.empty())
        table_ = CreateAcceleratorTableW(const_cast<ACCEL*>(entries.data()), static_cast<int>(entries.size()));
}

AcceleratorTable::AcceleratorTable(AcceleratorTable&& o) noexcept : table_(std::exchange(o.table_, nullptr)) {}

AcceleratorTable& AcceleratorTable::operator=(AcceleratorTable&& o) noexcept {
    if (this != &o) {
        if (table_) DestroyAcceleratorTable(table_);
        table_ = std::exchange(o.table_, nullptr);
    }
    return *this;
}

AcceleratorTable::~AcceleratorTable() {
    if (table_) DestroyAcceleratorTable(table_);
}

// The button and its menu: built from the table at FormCreate; the shortcuts are
// the menu items' own command ids, so a key and a menu click run the same handler.
void Tfrm_Main::CreateTovabbiak() {
    const auto& items = TovabbiakItems();
    std::vector<std::wstring> texts;
    texts.reserve(items.size());
    std::vector<MenuItemRow<Tfrm_Main>> menu;
    for (const auto& item : items) {
        texts.push_back(MenuText(item));
        menu.push_back({item.name, item.name ? texts.back().c_str() : nullptr, -1, nullptr, item.handler});
    }
    pmTovabbiak.Create(*this, std::span<const MenuItemRow<Tfrm_Main>>(menu), nullptr);
    std::vector<ACCEL> keys;
    for (const auto& item : items)
        if (item.name && item.handler && item.key)
            keys.push_back({static_cast<BYTE>(FVIRTKEY | item.modifiers), item.key,
                            static_cast<WORD>(pmTovabbiak.IdOf(item.name))});
    Shortcuts = AcceleratorTable(keys);
    SetAccelerators(Shortcuts.Get());
}

// Opens the menu under the button, its left edge at the button's.
void Tfrm_Main::tbTovabbiakClick() {
    ToolBar1.OpenBelow(L"tbTovabbiak", [this](POINT at) { pmTovabbiak.Popup(at.x, at.y); });
}

// The search window is made at its first use, so it costs nothing at start.
void Tfrm_Main::mniKeresesClick() { SearchWindow().ShowModal(); }

Tfrm_Kereses& Tfrm_Main::SearchWindow() {
    if (!Kereses) {
        Kereses = std::make_unique<Tfrm_Kereses>(diary_);
        Kereses->OpenDay = [this](const Date& day) { OpenDayFromSearch(day); };
        Kereses->OpenNotepad = [this] { tbJegyzettombClick(); };
        Kereses->Create(Handle());
        searchFollowsScheme_ = schemeChanges_.Follow([this](const SchemeColours& c) { Kereses->ApplyScheme(c); });
    }
    return *Kereses;
}
