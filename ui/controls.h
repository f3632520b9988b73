// One-line helpers over standard controls (edit, label-like statics).
#pragma once

#include <windows.h>

#include <string>

HWND CreateControl(const wchar_t* className, DWORD style, DWORD exStyle, int x, int y, int w, int h, HWND parent,
                   int id, HFONT font, const std::wstring& text = {});
std::wstring WindowText(HWND hwnd);
