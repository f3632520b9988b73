// A window's member function as the handler of one of its controls or menu items.
#pragma once

#include <functional>

template <class Owner>
std::function<void()> MemberHandler(Owner& owner, void (Owner::*handler)()) {
    return [&owner, handler] { (owner.*handler)(); };
}
