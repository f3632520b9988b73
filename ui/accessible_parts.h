// The parts a window draws on its own face (day cells, picture buttons, texts) have no
// window a screen reader could find. A window tells of them through Active
// Accessibility: it answers WM_GETOBJECT with an object that has one child per drawn
// part (and the window's child windows after them), which UI Automation reads too.
//
// Nothing of it costs a start: the object is made, and the accessibility libraries are
// loaded, at the first request of a client; the events are raised only once a client
// has asked for an object.
#pragma once

#include <windows.h>

#include <string>

enum class PartRole { Cell, PushButton, DropDownButton, StaticText };

// States a part can be in, combined.
enum PartState : unsigned {
    kPartFocused = 1u << 0,
    kPartSelected = 1u << 1,
    kPartPressed = 1u << 2,
    kPartUnavailable = 1u << 3,
    kPartOtherMonth = 1u << 4,  // a day cell's place that shows no day of this month
    kPartHot = 1u << 5,         // under the mouse
    kPartFocusable = 1u << 6,
};

struct AccessiblePart {
    PartRole role = PartRole::StaticText;
    std::wstring name;
    RECT bounds{};  // in the window's client area
    unsigned states = 0;
    std::wstring action;  // the default action's name; empty: none
};

// What a window tells of its drawn parts. Parts are numbered from 0; their child ids
// are one more.
class AccessibleParts {
public:
    virtual int AccessiblePartCount() const = 0;
    virtual AccessiblePart DescribePart(int index) const = 0;
    // The part's default action (its click). Runs from the message loop, never inside
    // the client's call: a click may open a modal window.
    virtual void DoPartAction(int index) = 0;
    // The part that has the keyboard focus, or -1.
    virtual int FocusedPart() const { return -1; }
    // The window's own role (ROLE_SYSTEM_*) and name; 0 and empty: the system's.
    virtual long OwnRole() const { return 0; }
    virtual std::wstring OwnName() const { return {}; }

protected:
    ~AccessibleParts() = default;
};

class PartsAccessible;

// A window's accessible object: made at the first request, cut off from the window
// when the window goes (a client may hold it longer).
class AccessibleHost {
public:
    AccessibleHost() = default;
    AccessibleHost(const AccessibleHost&) = delete;
    AccessibleHost& operator=(const AccessibleHost&) = delete;
    ~AccessibleHost() { Disconnect(); }

    // The answer to WM_GETOBJECT; 0 when the window leaves the request to the system.
    LRESULT Answer(HWND hwnd, WPARAM wp, LPARAM lp, AccessibleParts& parts);
    // Posted to the window with a part's index: a default action a client asked for.
    static constexpr UINT kActionMessage = WM_APP + 0x3A0;
    static void RunAction(WPARAM wp, AccessibleParts& parts);
    void Disconnect();

private:
    PartsAccessible* object_ = nullptr;
};

// Whether a client has asked any window of the program for its object: until then no
// event is raised (under Wine each could cost a round trip to the server at start).
bool AccessibilityClientsSeen();

// Tells the clients that a part changed (EVENT_OBJECT_FOCUS, _SELECTION, _NAMECHANGE,
// _STATECHANGE); part -1 is the window itself (EVENT_OBJECT_REORDER: its children).
void NotifyPartEvent(HWND hwnd, DWORD event, int part);
