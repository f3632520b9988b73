// Holds a file open without sharing, as another program that locks it does:
//   hold_file <path> <release flag path>
// Prints "holding" once the file is open, keeps it until the flag file exists (at
// most five minutes), then closes it. Exit code 1 when the file could not be opened.
#include <windows.h>

#include <cstdio>

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: hold_file <path> <release flag path>\n");
        return 2;
    }
    HANDLE file = CreateFileW(argv[1], GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        std::printf("cannot open: error %lu\n", GetLastError());
        return 1;
    }
    std::printf("holding\n");
    std::fflush(stdout);
    for (int waited = 0; waited < 300 * 20; ++waited) {
        if (GetFileAttributesW(argv[2]) != INVALID_FILE_ATTRIBUTES) break;
        Sleep(50);
    }
    CloseHandle(file);
    std::printf("released\n");
    return 0;
}
