// Opens files through the Windows shell: the home page and mail shortcuts, the
// user's guide and the hand-over copy of a note. Missing files are reported in the
// message window.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

void OpenHomepageLink(const std::wstring& folder);
void OpenMailLink(const std::wstring& folder);
// No path at all reports "Érvénytelen filenév".
void OpenFileWithShell(const std::optional<std::wstring>& path);

// The shell call itself (file, working folder); tests replace it to see what would open.
using ShellOpener = std::function<void(const std::wstring& file, const std::wstring& workingFolder)>;
ShellOpener& CurrentShellOpener();
