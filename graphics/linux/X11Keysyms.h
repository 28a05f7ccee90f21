#pragma once

#include <cstdint>

// The keysyms of the keys the X11 editor, its menus, text entry and message
// boxes take (values of X11/keysymdef.h).
constexpr uint32_t kKeysymSpace = 0x20;
constexpr uint32_t kKeysymBackSpace = 0xff08;
constexpr uint32_t kKeysymReturn = 0xff0d;
constexpr uint32_t kKeysymEscape = 0xff1b;
constexpr uint32_t kKeysymHome = 0xff50;
constexpr uint32_t kKeysymLeft = 0xff51;
constexpr uint32_t kKeysymUp = 0xff52;
constexpr uint32_t kKeysymRight = 0xff53;
constexpr uint32_t kKeysymDown = 0xff54;
constexpr uint32_t kKeysymEnd = 0xff57;
constexpr uint32_t kKeysymKeypadEnter = 0xff8d;
constexpr uint32_t kKeysymDelete = 0xffff;
